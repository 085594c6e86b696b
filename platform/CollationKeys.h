// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <string_view>

// The sort keys of the platform's Japanese collation, the one QCollator uses
// for the Japanese locale with numbers by value, as plain bytes: compared
// byte by byte as unsigned, a shorter key before a longer one it begins,
// they order texts as QCollator orders them. Unlike QCollatorSortKey they
// can be cut to a prefix and kept in fixed-size slots. A collator is not
// thread-safe: one each thread.
//
// Without the collation (the platform could not open it, or failed to make
// a key) the keys are the texts' code points, three bytes each, big-endian:
// a plain but whole order, in place of a sort that cannot be made. problem()
// then says why, and every key from then on is a code-point key.
class CollationKeys {
public:
    CollationKeys();
    ~CollationKeys();
    CollationKeys(const CollationKeys&) = delete;
    CollationKeys& operator=(const CollationKeys&) = delete;

    // Appends the key of the UTF-16 `text` to `key`.
    void appendKey(std::u16string_view text, std::string& key);
    // Why the keys are code points; empty while they are the collation's.
    const std::string& problem() const { return problem_; }
    // From now on code-point keys, for `why`: keys made by collators
    // compared with each other must all be of one kind.
    void useCodePoints(std::string why);

    // Tests: collators made while one lives cannot open the collation.
    class PretendedFailure {
    public:
        PretendedFailure();
        ~PretendedFailure();
        PretendedFailure(const PretendedFailure&) = delete;
        PretendedFailure& operator=(const PretendedFailure&) = delete;
    };

private:
    static void appendCodePoints(std::u16string_view text, std::string& key);

    struct Collator;
    std::unique_ptr<Collator> collator_;  // null: code points
    std::string problem_;
};
