#include "kit/ui/UIFont.h"

#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <set>
#include <utility>

namespace kit {

KIT_REGISTER_CLASS(UIFont);

namespace {

constexpr const char* defaultFace = "DejaVuSans";
constexpr const char* defaultBoldFace = "DejaVuSans-Bold";
// Condensed faces stand in as the condensed default; the platform's narrow
// faces (DIN, Trebuchet), set in tight labels and large digits, as a narrow
// sans, so their texts still fit.
constexpr const char* condensedFace = "DejaVuSansCondensed";
constexpr const char* condensedBoldFace = "DejaVuSansCondensed-Bold";
constexpr const char* narrowFace = "NimbusSansNarrow-Regular";
constexpr const char* narrowBoldFace = "NimbusSansNarrow-Bold";

std::string stringOf(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) == FcResultMatch && value)
        return reinterpret_cast<const char*>(value);
    return {};
}

int integerOf(FcPattern* pattern, const char* object, int otherwise)
{
    int value = otherwise;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

// The installed faces whose `object` is `value`.
std::vector<FcPattern*> listFaces(const char* object, std::string_view value, FcFontSet*& set)
{
    FcPattern* query = FcPatternCreate();
    if (object)
        FcPatternAddString(query, object, reinterpret_cast<const FcChar8*>(std::string(value).c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_POSTSCRIPT_NAME, FC_FILE, FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr);
    set = FcFontList(nullptr, query, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(query);
    std::vector<FcPattern*> faces;
    for (int i = 0; set && i < set->nfont; ++i)
        faces.push_back(set->fonts[i]);
    return faces;
}

std::shared_ptr<UIFont::Face> faceFrom(FcPattern* pattern, bool fallback)
{
    auto face = std::make_shared<UIFont::Face>();
    face->family = stringOf(pattern, FC_FAMILY);
    face->postScriptName = stringOf(pattern, FC_POSTSCRIPT_NAME);
    face->file = stringOf(pattern, FC_FILE);
    face->fallback = fallback;
    face->description = std::shared_ptr<PangoFontDescription>(pango_fc_font_description_from_pattern(pattern, FALSE), pango_font_description_free);
    // Only the first family, so Pango asks for exactly this face's family.
    pango_font_description_set_family(face->description.get(), face->family.c_str());
    return face;
}

// The face named by PostScript name, or the regular face of the family of
// that name; nothing when neither is installed.
std::shared_ptr<UIFont::Face> findInstalled(std::string_view name, bool fallback)
{
    FcFontSet* set = nullptr;
    auto faces = listFaces(FC_POSTSCRIPT_NAME, name, set);
    std::shared_ptr<UIFont::Face> found;
    if (!faces.empty()) {
        found = faceFrom(faces.front(), fallback);
    } else {
        if (set)
            FcFontSetDestroy(set);
        faces = listFaces(FC_FAMILY, name, set);
        auto distanceFromRegular = [](FcPattern* p) {
            return std::abs(integerOf(p, FC_WEIGHT, FC_WEIGHT_REGULAR) - FC_WEIGHT_REGULAR)
                + 1000 * (integerOf(p, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN)
                + std::abs(integerOf(p, FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL);
        };
        auto best = std::min_element(faces.begin(), faces.end(), [&](FcPattern* a, FcPattern* b) {
            return distanceFromRegular(a) < distanceFromRegular(b);
        });
        if (best != faces.end())
            found = faceFrom(*best, fallback);
    }
    if (set)
        FcFontSetDestroy(set);
    return found;
}

// Whatever fontconfig offers for sans-serif: the last resort when even the
// default face is missing.
std::shared_ptr<UIFont::Face> anySansFace()
{
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, query, &result);
    FcPatternDestroy(query);
    if (!match) {
        auto face = std::make_shared<UIFont::Face>();
        face->family = "sans-serif";
        face->fallback = true;
        face->description = std::shared_ptr<PangoFontDescription>(pango_font_description_from_string("sans-serif"), pango_font_description_free);
        return face;
    }
    auto face = faceFrom(match, true);
    FcPatternDestroy(match);
    return face;
}

bool mentions(std::string_view name, std::string_view word)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower.find(word) != std::string::npos;
}

const char* standInFor(std::string_view name)
{
    bool bold = mentions(name, "bold");
    if (name.starts_with("DIN") || name.starts_with("Trebuchet"))
        return bold ? narrowBoldFace : narrowFace;
    if (mentions(name, "condensed"))
        return bold ? condensedBoldFace : condensedFace;
    return bold ? defaultBoldFace : defaultFace;
}

std::shared_ptr<const UIFont::Face> resolve(std::string_view name)
{
    static std::mutex lock;
    static std::map<std::string, std::shared_ptr<const UIFont::Face>, std::less<>> cache;
    std::lock_guard guard(lock);
    if (auto it = cache.find(name); it != cache.end())
        return it->second;
    std::shared_ptr<UIFont::Face> face = name.empty() ? nullptr : findInstalled(name, false);
    if (!face) {
        face = findInstalled(standInFor(name), true);
        if (!face)
            face = findInstalled(mentions(name, "bold") ? defaultBoldFace : defaultFace, true);
        if (!face)
            face = anySansFace();
        logf("UIFont: \"%s\" is not installed; using %s", std::string(name).c_str(), face->postScriptName.c_str());
    }
    cache.emplace(std::string(name), face);
    return face;
}

void releaseFontCaches();

// This thread's measuring context. A plain pointer, so that it can still be
// read during exit whatever order the exit steps run in; the guard below
// lets it go when the thread ends.
thread_local PangoContext* threadContext = nullptr;

struct ThreadContextRelease {
    ~ThreadContextRelease()
    {
        if (threadContext)
            g_object_unref(std::exchange(threadContext, nullptr));
    }
};

thread_local ThreadContextRelease threadContextRelease;

void releaseFontCaches()
{
    if (threadContext)
        g_object_unref(std::exchange(threadContext, nullptr));
    // Drops this thread's font map with the fonts and patterns it caches.
    // fontconfig's own caches stay: FcFini asserts when cairo still holds a
    // pattern, and the leak checker is told about them instead.
    pango_cairo_font_map_set_default(nullptr);
}

CGFloat sanePointSize(CGFloat size)
{
    return std::isfinite(size) && size > 0 ? std::min(size, 10000.0) : UIFont::systemFontSize();
}

}

PangoContext* UIFont::measuringContext()
{
    if (!threadContext) {
        static std::once_flag registered;
        std::call_once(registered, [] { std::atexit(releaseFontCaches); });
        (void)&threadContextRelease;
        threadContext = pango_font_map_create_context(pango_cairo_font_map_get_default());
        useUnhintedMetrics(threadContext);
    }
    return threadContext;
}

void UIFont::useUnhintedMetrics(PangoContext* context)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
}

UIFont::UIFont(std::string requestedName, CGFloat pointSize, std::shared_ptr<const Face> face)
    : m_requestedName(std::move(requestedName))
    , m_pointSize(pointSize)
    , m_face(std::move(face))
    , m_description(pango_font_description_copy(m_face->description.get()), pango_font_description_free)
{
    pango_font_description_set_absolute_size(m_description.get(), m_pointSize * PANGO_SCALE);
}

std::shared_ptr<UIFont> UIFont::fontWithName(std::string_view name, CGFloat pointSize)
{
    return std::make_shared<UIFont>(std::string(name), sanePointSize(pointSize), resolve(name));
}

std::shared_ptr<UIFont> UIFont::systemFontOfSize(CGFloat pointSize)
{
    return fontWithName(defaultFace, pointSize);
}

std::shared_ptr<UIFont> UIFont::boldSystemFontOfSize(CGFloat pointSize)
{
    return fontWithName(defaultBoldFace, pointSize);
}

std::shared_ptr<UIFont> UIFont::fontWithSize(CGFloat pointSize) const
{
    return std::make_shared<UIFont>(m_requestedName, sanePointSize(pointSize), m_face);
}

std::vector<std::string> UIFont::familyNames()
{
    FcFontSet* set = nullptr;
    std::set<std::string> families;
    for (FcPattern* face : listFaces(nullptr, {}, set)) {
        if (auto family = stringOf(face, FC_FAMILY); !family.empty())
            families.insert(family);
    }
    if (set)
        FcFontSetDestroy(set);
    return { families.begin(), families.end() };
}

std::vector<std::string> UIFont::fontNamesForFamilyName(std::string_view family)
{
    FcFontSet* set = nullptr;
    std::set<std::string> names;
    for (FcPattern* face : listFaces(FC_FAMILY, family, set)) {
        if (auto name = stringOf(face, FC_POSTSCRIPT_NAME); !name.empty())
            names.insert(name);
    }
    if (set)
        FcFontSetDestroy(set);
    return { names.begin(), names.end() };
}

UIFont::Metrics UIFont::metrics() const
{
    auto known = std::atomic_load(&m_metrics);
    if (known)
        return *known;
    auto metrics = std::make_shared<Metrics>();
    PangoContext* context = measuringContext();
    if (PangoFont* font = pango_context_load_font(context, m_description.get())) {
        PangoFontMetrics* fontMetrics = pango_font_get_metrics(font, nullptr);
        metrics->ascender = CGFloat(pango_font_metrics_get_ascent(fontMetrics)) / PANGO_SCALE;
        metrics->descender = -CGFloat(pango_font_metrics_get_descent(fontMetrics)) / PANGO_SCALE;
        int height = pango_font_metrics_get_height(fontMetrics);
        metrics->lineHeight = height > 0 ? CGFloat(height) / PANGO_SCALE : metrics->ascender - metrics->descender;
        pango_font_metrics_unref(fontMetrics);
        g_object_unref(font);
    }
    std::atomic_store(&m_metrics, std::shared_ptr<const Metrics>(metrics));
    return *metrics;
}

CGFloat UIFont::ascender() const { return metrics().ascender; }
CGFloat UIFont::descender() const { return metrics().descender; }
CGFloat UIFont::lineHeight() const { return metrics().lineHeight; }

}
