// Solid brushes for a page's preview, one per colour in use. Brushes of colours that went out
// of use are deleted when the colours change, so repaints and colour changes never pile up
// GDI objects.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/Handles.h"

namespace tembra {

class PreviewBrushes {
public:
    // The brush of `colour`, made at the first request.
    HBRUSH Get(COLORREF colour);
    // Deletes the brushes of every colour not in `inUse`.
    void KeepOnly(std::initializer_list<COLORREF> inUse);
    size_t Count() const { return brushes_.size(); }

private:
    struct Entry {
        COLORREF colour;
        UniqueBrush brush;
    };
    std::vector<Entry> brushes_;
};

}  // namespace tembra
