// SPDX-License-Identifier: MIT
#pragma once

#include "DataFile.h"

#include <string>
#include <vector>

namespace card {

// One problem found in a data file.
struct CheckProblem {
    long line = 0;     // 1-based physical line
    std::string text;  // UTF-8, e.g. "レコードが \"--\" で終わっていない"
};

struct CheckResult {
    std::vector<CheckProblem> problems;  // in the order of the file
    long cards = 0;                      // complete records
};

// Reads a whole data file as the card reader does and reports every record
// not closed by "--" (reading resumes after its closing line when that begins
// with "--", else after the next "--" line), a record cut short by the end of
// the file, lines over 254 bytes and invalid CP932.
CheckResult checkDataFile(DataFile& file);

}  // namespace card
