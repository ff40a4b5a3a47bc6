// The internet time options under their registry key.
#pragma once
#include <cstdint>

#include "store/InternetTimeOptions.h"

namespace tembra {

// Reads the three values (read access). The internet time program never creates the key;
// the settings page does. False when the key cannot be opened: `values` stays unchanged.
bool LoadInternetTimeValues(InternetTimeValues* values, bool createKey);
// Writes the two flags as 0 or 1 and the number as given; false when the key can neither
// be opened nor created.
bool SaveInternetTimeValues(bool trayMode, bool autoAdjustTime, std::uint32_t serversNum);

}  // namespace tembra
