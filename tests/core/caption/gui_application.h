// Captions draw with Qt's font engine, which needs a QGuiApplication; the tests make one on the
// offscreen platform the first time a test asks.
#pragma once

#include <QGuiApplication>

namespace testing_caption {

inline void ensureGuiApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application =
        QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace testing_caption
