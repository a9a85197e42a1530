#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoContext PangoContext;

namespace kit {

// A font: a name and a size in points. The name is looked up among the
// installed fonts through fontconfig, first as a PostScript name
// ("DejaVuSans-Bold"), then as a family name ("DejaVu Sans", which gives the
// family's regular face). A name that is not installed falls back to the
// stated default: "DejaVu Sans Bold" when the name contains "Bold" (in any
// case), "DejaVu Sans" otherwise; their condensed faces for a name that says
// "Condensed"; "Nimbus Sans Narrow" for the narrow "DIN…" and "Trebuchet…". The
// font keeps the name it was asked for and records the fallback (one log line
// the first time each name falls back). Immutable; lookups are cached and safe from any thread.
class UIFont final : public Object {
    KIT_OBJECT(UIFont, Object)

public:
    // Sizes of 0 or less, or not finite, are taken as systemFontSize.
    static std::shared_ptr<UIFont> fontWithName(std::string_view name, CGFloat pointSize);
    // The system font is the default face itself, not a fallback.
    static std::shared_ptr<UIFont> systemFontOfSize(CGFloat pointSize);
    static std::shared_ptr<UIFont> boldSystemFontOfSize(CGFloat pointSize);

    static constexpr CGFloat smallSystemFontSize() { return 12; }
    static constexpr CGFloat systemFontSize() { return 14; }
    static constexpr CGFloat labelFontSize() { return 17; }
    static constexpr CGFloat buttonFontSize() { return 18; }

    // Every installed family (a face's first, typographic family name),
    // sorted, each once.
    static std::vector<std::string> familyNames();
    // The PostScript names of the family's faces, sorted; empty for a family
    // that is not installed.
    static std::vector<std::string> fontNamesForFamilyName(std::string_view family);

    std::shared_ptr<UIFont> fontWithSize(CGFloat pointSize) const;

    // The name asked for.
    const std::string& fontName() const { return m_requestedName; }
    CGFloat pointSize() const { return m_pointSize; }
    // The installed face that draws this font.
    const std::string& familyName() const { return m_face->family; }
    const std::string& facePostScriptName() const { return m_face->postScriptName; }
    const std::string& faceFile() const { return m_face->file; }
    // Whether the name was not installed and the default face stands in.
    bool isFallback() const { return m_face->fallback; }

    // In points: the ascender above the baseline, the descender below it
    // (negative), and the distance between baselines.
    CGFloat ascender() const;
    CGFloat descender() const;
    CGFloat lineHeight() const;

    // The face at this size (absolute size, one unit per point), for Pango.
    // Owned by the font.
    const PangoFontDescription* pangoDescription() const { return m_description.get(); }
    // This thread's Pango context for measuring, with unhinted metrics.
    // Owned by kit; at exit the font caches behind it are released, so leak
    // checkers see only what the program itself still holds.
    static PangoContext* measuringContext();
    // Unhinted metrics, so that a text measures the same whatever transform
    // it is drawn with; every context that lays out text uses them.
    static void useUnhintedMetrics(PangoContext*);

    struct Face {
        std::string family;
        std::string postScriptName;
        std::string file;
        bool fallback { false };
        // The face as Pango names it, without a size.
        std::shared_ptr<PangoFontDescription> description;
    };
    UIFont(std::string requestedName, CGFloat pointSize, std::shared_ptr<const Face>);

private:
    struct Metrics {
        CGFloat ascender { 0 }, descender { 0 }, lineHeight { 0 };
    };
    Metrics metrics() const;

    std::string m_requestedName;
    CGFloat m_pointSize;
    std::shared_ptr<const Face> m_face;
    std::shared_ptr<PangoFontDescription> m_description;
    mutable std::shared_ptr<const Metrics> m_metrics;
};

}
