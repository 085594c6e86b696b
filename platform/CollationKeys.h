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
class CollationKeys {
public:
    CollationKeys();
    ~CollationKeys();
    CollationKeys(const CollationKeys&) = delete;
    CollationKeys& operator=(const CollationKeys&) = delete;

    // Appends the key of the UTF-16 `text` to `key`.
    void appendKey(std::u16string_view text, std::string& key);

private:
    struct Collator;
    std::unique_ptr<Collator> collator_;
};
