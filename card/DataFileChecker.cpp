// SPDX-License-Identifier: MIT
#include "DataFileChecker.h"

#include "Card.h"
#include "Cp932Converter.h"
#include "EngineMessage.h"
#include "ShiftJis.h"

#include <algorithm>

namespace card {

namespace {

constexpr std::size_t kLongestLine = 254;

// Passes the pieces of a data file through while it looks at each physical
// line whole: its length and whether it is valid CP932.
class InspectingFile : public DataFile {
public:
    InspectingFile(DataFile& inner, std::vector<CheckProblem>& problems) : inner_(inner), problems_(problems) {}

    bool readPiece(std::string& piece) override
    {
        if (!inner_.readPiece(piece)) {
            finishLine();
            return false;
        }
        if (inner_.lineNumber() != currentLine_)
            finishLine();
        currentLine_ = inner_.lineNumber();
        bool endsLine = !piece.empty() && piece.back() == '\n';
        std::size_t content = piece.size() - (endsLine ? 1 : 0);
        length_ += content;
        validate(std::string_view(piece).substr(0, content));
        if (endsLine)
            finishLine();
        return true;
    }

    long lineNumber() const override { return inner_.lineNumber(); }

private:
    // Checks a piece of a line as it comes; a lead byte at its end waits for
    // the next piece, since one long line arrives split anywhere.
    void validate(std::string_view bytes)
    {
        pending_ += bytes;
        std::size_t complete = 0;
        while (complete < pending_.size()) {
            bool lastByte = complete + 1 == pending_.size();
            if (lastByte && sjis::isLeadByte(static_cast<unsigned char>(pending_[complete])))
                break;
            complete += sjis::charLength(pending_, complete);
        }
        if (!converter_.isValidCp932(std::string_view(pending_).substr(0, complete)))
            invalid_ = true;
        pending_.erase(0, complete);
    }

    void finishLine()
    {
        if (currentLine_ == 0)
            return;
        if (!pending_.empty() && !converter_.isValidCp932(pending_))
            invalid_ = true;
        if (length_ > kLongestLine)
            problems_.push_back({currentLine_, std::string(kLineTooLong) + " (" + std::to_string(length_) + "バイト)"});
        if (invalid_)
            problems_.push_back({currentLine_, "Shift-JIS (CP932) として正しくないバイト列がある"});
        pending_.clear();
        invalid_ = false;
        length_ = 0;
        currentLine_ = 0;
    }

    DataFile& inner_;
    std::vector<CheckProblem>& problems_;
    Cp932Converter converter_;
    std::string pending_;
    bool invalid_ = false;
    std::size_t length_ = 0;
    long currentLine_ = 0;
};

// After a record not closed by "--": skip to the next "--" line.
bool skipPastTerminator(DataFile& file)
{
    std::string line;
    while (readline(file, line) == 0) {
        if (line == "--")
            return true;
    }
    return false;
}

}  // namespace

CheckResult checkDataFile(DataFile& file)
{
    CheckResult result;
    std::vector<CheckProblem> lineProblems;
    InspectingFile inspected(file, lineProblems);
    Card card;
    RecordTrace trace;
    for (;;) {
        int status = card.read(inspected, &trace);
        if (status == 0) {
            ++result.cards;
            continue;
        }
        if (status < 0) {
            result.problems.push_back({trace.lastLine, "レコードが \"--\" の行で終わっていない"});
            // A mistyped "--" still closes its record; any other line means
            // the record has shifted, and the next "--" line closes it.
            if (trace.closedByDashes || skipPastTerminator(inspected))
                continue;
        } else if (trace.hasContent) {
            result.problems.push_back({trace.firstLine, "ファイルの終わりでレコードが途切れている"});
        }
        break;
    }
    // Line problems and record problems, in the order of the file.
    result.problems.insert(result.problems.end(), lineProblems.begin(), lineProblems.end());
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const CheckProblem& a, const CheckProblem& b) { return a.line < b.line; });
    return result;
}

}  // namespace card
