// How the program reads numbers from field texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace tw {

// Blanks and tabs skipped, one optional sign, decimal digits up to the first
// other character; 0 without digits. Accumulated in 32 bits (wraps).
int32_t IntegerReading(std::string_view text);

// The leading decimal number (sign, fraction, exponent); 0 when there is none.
double RealReading(std::string_view text);

}  // namespace tw
