#pragma once

#include "EngineMessage.h"

namespace card {

// What the list commands and the search need of the screen besides the
// list: a message box and the searching-now notice.
class FinderUi {
public:
    virtual ~FinderUi() = default;
    // Shows the message and returns once the user has closed it.
    virtual void showMessage(const EngineMessage& message) = 0;
    virtual void showNotice() = 0;   // the notice is up when this returns
    virtual void hideNotice() = 0;
};

}  // namespace card
