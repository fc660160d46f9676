// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "QPEApplication.h"
#include "inputstart.h"

#include <cstdio>

int main(int argc, char **argv)
{
    auto *app = new QPEApplication(argc, argv);
    const char *first = argc > 1 ? argv[1] : "";
    std::printf("============= Corvane(LUMI) ============== Argument 1[%s]\n", first);
    if (argc > 1)
        std::printf("============= Corvane(LUMI) ============== Argument 2[%s]\n", argc > 2 ? argv[2] : "");
    std::fflush(stdout);

    // The device's window flag 16 (customised style without decorations) is a frameless window.
    auto *start = new CInputStart(nullptr, nullptr, true, Qt::FramelessWindowHint, argv);
    start->show();
    app->exec();
    delete start;
    delete app;
    return 0;
}
