#pragma once

// How the name and type texts of a search are compared with a card.
enum search_mode { Exact = 0, Prefix = 1, Partial = 2 };
