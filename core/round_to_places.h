#pragma once

namespace dbmconv {

// The multiple of 10^-places nearest to the exact binary value of `value`, as the
// nearest double; an exact half goes to the even multiple. `places` is 0 to 15.
// Infinities and NaN come back unchanged.
[[nodiscard]] double RoundToPlaces(double value, int places);

} // namespace dbmconv
