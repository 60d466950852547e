// The one view font of the program, as an opaque handle with the rule for
// changing it: the new font is made before the old one goes, so a font that
// cannot be made leaves the views painting with the font they had.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

class CFontSlot {
public:
    using Handle = std::uintptr_t;  // 0: none
    using Creator = std::function<Handle(const std::string& strFace, int nPointSize)>;
    using Deleter = std::function<void(Handle)>;

    CFontSlot(Creator create, Deleter destroy) : m_create(std::move(create)), m_destroy(std::move(destroy)) {}
    ~CFontSlot();
    CFontSlot(const CFontSlot&) = delete;  // owns its font
    CFontSlot& operator=(const CFontSlot&) = delete;

    // Makes the font of strFace at nPointSize (tenths of a point) the current one.
    // On failure shows "couldn't create font", keeps the current font, false.
    bool Replace(const std::string& strFace, int nPointSize);
    Handle Get() const { return m_hFont; }

private:
    Creator m_create;
    Deleter m_destroy;
    Handle m_hFont = 0;
};
