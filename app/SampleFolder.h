// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The sample cards installed with the program, which a first start lists
// until the player opens a folder of their own: in sample beside the
// program (the Windows folder; in a build tree, sample is a link to the
// repository's data/), or where the install puts them relative to the
// program's folder (share/doc/voxtarn/examples beside bin/).
class SampleFolder {
public:
    // The first of those folders that holds a card file; empty when none
    // does.
    static QString of(const QString& programFolder);
};
