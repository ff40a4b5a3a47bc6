#include "settings/PreviewBrushes.h"

#include <algorithm>

namespace tembra {

HBRUSH PreviewBrushes::Get(COLORREF colour) {
    for (const Entry& e : brushes_)
        if (e.colour == colour) return e.brush.get();
    brushes_.push_back(Entry{colour, UniqueBrush(CreateSolidBrush(colour))});
    return brushes_.back().brush.get();
}

void PreviewBrushes::KeepOnly(std::initializer_list<COLORREF> inUse) {
    brushes_.erase(std::remove_if(brushes_.begin(), brushes_.end(),
                                  [&](const Entry& e) {
                                      return std::find(inUse.begin(), inUse.end(), e.colour) ==
                                             inUse.end();
                                  }),
                   brushes_.end());
}

}  // namespace tembra
