#pragma once

// The field of a card that a search test looks at.
enum search_type { Name = 0, Type = 1, Rate = 2 };
