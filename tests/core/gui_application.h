// Captions draw with Qt's font engine and the help pages with its rich-text engine, and a local
// socket needs an event loop: all want a QGuiApplication. The tests make one, on the offscreen
// platform, the first time a test asks, and it lives for the whole run.
#pragma once

#include <QGuiApplication>

namespace coretest {

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

}  // namespace coretest
