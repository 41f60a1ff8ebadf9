// Build step: writes the template pictures into the folder given on the command line.
#include <QString>
#include <cstdio>

#include "core/document/template_pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_templates <folder>\n");
        return 2;
    }
    const core::Status written = core::writeTemplatePictures(QString::fromLocal8Bit(argv[1]));
    if (!written) {
        std::fprintf(stderr, "make_templates: %s\n", qPrintable(written.failure().detail));
        return 1;
    }
    return 0;
}
