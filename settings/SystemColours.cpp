#include "settings/SystemColours.h"

namespace tembra {

const SystemColours& Colours() {
    static const SystemColours colours{
        GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNSHADOW),
        GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNTEXT),
        GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT),
        GetSysColor(COLOR_GRAYTEXT),  GetSysColorBrush(COLOR_BTNFACE)};
    return colours;
}

}  // namespace tembra
