// SPDX-License-Identifier: MIT
#include "RecordReader.h"

#include "RecordRules.h"

namespace card {

// Each line is stored before the next is read: the view points into the
// file's buffer, which the next read may refill.
int RecordReader::read(CardStore& store, RecordTrace* trace)
{
    store.beginCard();
    return records::readRecord(
        file_, [&store](Field, std::string_view line) { store.addField(line); }, trace);
}

}  // namespace card
