#include "kit/ui/UINib.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/NibProperties.h"
#include "kit/ui/NibValues.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"
#include "kit/ui/UITableView.h"

namespace kit {

namespace fs = std::filesystem;

namespace {

// Views deeper than this are refused: a layout is a page, not a maze.
constexpr int kMaximumDepth = 64;

// The view classes of kit that a layout can make by name.
void declareStandardViews()
{
    static const bool declared = [] {
        UIView::staticClass()->setFactory([] { return std::make_shared<UIView>(); });
        UIControl::staticClass()->setFactory([] { return std::make_shared<UIControl>(); });
        UILabel::staticClass()->setFactory([] { return std::make_shared<UILabel>(); });
        UIButton::staticClass()->setFactory([] { return std::make_shared<UIButton>(); });
        UISwitch::staticClass()->setFactory([] { return std::make_shared<UISwitch>(); });
        UIScrollView::staticClass()->setFactory([] { return std::make_shared<UIScrollView>(); });
        UIImageView::staticClass()->setFactory([] { return std::make_shared<UIImageView>(); });
        UITableView::staticClass()->setFactory([] { return std::make_shared<UITableView>(); });
        return true;
    }();
    (void)declared;
}

// One layout being built: the views made so far and the connections they ask
// for, applied only when the whole layout is sound.
class Builder {
public:
    Builder(const NSBundle* bundle, Object* owner) : m_bundle(bundle), m_owner(owner) { }

    std::variant<NibContents, std::string> build(const PropertyList& root)
    {
        auto* dictionary = root.dictionary();
        if (!dictionary)
            return std::string("its root is not a dictionary");
        for (auto& [key, value] : *dictionary)
            if (key != "views")
                return "unknown key " + key;
        auto views = dictionary->find("views");
        if (views == dictionary->end() || !views->second.array())
            return std::string("it has no views array");
        NibContents contents;
        for (auto& description : *views->second.array()) {
            auto view = makeView(description, 0);
            if (!view)
                return m_problem;
            contents.topLevelViews.push_back(std::move(view));
        }
        if (auto problem = connect(contents))
            return *problem;
        return contents;
    }

private:
    struct PendingOutlet {
        std::string name;
        std::shared_ptr<UIView> view;
    };
    struct PendingAction {
        std::shared_ptr<UIControl> control;
        UIControlEvents events;
        std::string selector;
    };

    std::shared_ptr<UIView> fail(std::string problem)
    {
        m_problem = std::move(problem);
        return nullptr;
    }

    std::shared_ptr<UIView> makeView(const PropertyList& description, int depth)
    {
        if (depth > kMaximumDepth)
            return fail("views are nested too deeply");
        auto* dictionary = description.dictionary();
        if (!dictionary)
            return fail("a view is not a dictionary");
        auto classEntry = dictionary->find("class");
        if (classEntry == dictionary->end() || !classEntry->second.string())
            return fail("a view has no class");
        const std::string& className = *classEntry->second.string();
        Class cls = objc_getClass(className);
        if (!cls)
            return fail("unknown class " + className);
        if (!cls->isSubclassOf(UIView::staticClass()))
            return fail("class " + className + " is not a view");

        std::shared_ptr<UIView> view;
        auto buttonType = dictionary->find("buttonType");
        if (buttonType != dictionary->end()) {
            auto* type = buttonType->second.string();
            if (cls != UIButton::staticClass())
                return fail("a " + className + " has no buttonType");
            if (!type || (*type != "custom" && *type != "system"))
                return fail("the value of buttonType is not of its form");
            view = UIButton::buttonWithType(*type == "system" ? UIButtonTypeSystem : UIButtonTypeCustom);
        } else {
            view = std::dynamic_pointer_cast<UIView>(cls->createInstance());
        }
        if (!view)
            return fail("class " + className + " cannot be made by name");

        for (auto& [key, value] : *dictionary) {
            if (key == "class" || key == "buttonType")
                continue;
            if (key == "frame") {
                auto frame = nib::rectValue(value);
                if (!frame)
                    return fail("the frame of a " + className + " is not {{x, y}, {width, height}}");
                view->setFrame(*frame);
            } else if (key == "outlet") {
                if (!value.string() || value.string()->empty())
                    return fail("an outlet of a " + className + " is not a name");
                m_outlets.push_back({ *value.string(), view });
            } else if (key == "actions") {
                if (!addActions(view, value))
                    return nullptr;
            } else if (key == "subviews") {
                if (!value.array())
                    return fail("the subviews of a " + className + " are not an array");
                for (auto& child : *value.array()) {
                    auto subview = makeView(child, depth + 1);
                    if (!subview)
                        return nullptr;
                    view->addSubview(subview);
                }
            } else if (auto problem = nib::applyProperty(*view, key, value, m_bundle)) {
                return fail(*problem);
            }
        }
        return view;
    }

    bool addActions(const std::shared_ptr<UIView>& view, const PropertyList& value)
    {
        auto control = std::dynamic_pointer_cast<UIControl>(view);
        if (!control) {
            fail("a " + std::string(view->className()) + " is not a control and has no actions");
            return false;
        }
        if (!value.dictionary()) {
            fail("the actions of a " + std::string(view->className()) + " are not a dictionary");
            return false;
        }
        for (auto& [eventName, selector] : *value.dictionary()) {
            auto event = nib::controlEventValue(eventName);
            if (!event) {
                fail("unknown control event " + eventName);
                return false;
            }
            if (!selector.string() || selector.string()->empty()) {
                fail("the action for " + eventName + " is not a selector");
                return false;
            }
            m_actions.push_back({ control, *event, *selector.string() });
        }
        return true;
    }

    // Checks every connection first, so a refused layout connects nothing.
    std::optional<std::string> connect(NibContents& contents)
    {
        std::string ownerName = m_owner ? m_owner->className() : "nothing";
        std::vector<OutletSetter> setters;
        for (auto& outlet : m_outlets) {
            auto setter = m_owner ? class_getOutlet(m_owner->isa(), outlet.name) : std::nullopt;
            if (!setter)
                return "unknown outlet " + outlet.name + " of " + ownerName;
            if (!(*setter)(m_owner, outlet.view, true))
                return "outlet " + outlet.name + " of " + ownerName + " cannot hold a " + outlet.view->className();
            setters.push_back(std::move(*setter));
        }
        std::shared_ptr<Object> target = m_owner ? m_owner->strongRef() : nullptr;
        for (auto& action : m_actions) {
            if (!m_owner || !class_respondsToAction(m_owner->isa(), sel_registerName(action.selector)))
                return "unknown action " + action.selector + " of " + ownerName;
            if (!target)
                return "action " + action.selector + " needs an owner held by a shared pointer";
        }
        for (size_t i = 0; i < m_outlets.size(); ++i) {
            setters[i](m_owner, m_outlets[i].view, false);
            detail::recordConnectedOutlet(m_owner, m_outlets[i].name, m_outlets[i].view);
            contents.outlets.push_back({ m_outlets[i].name, m_outlets[i].view });
        }
        for (auto& action : m_actions) {
            action.control->addTarget(target.get(), sel_registerName(action.selector), action.events);
            contents.actions.push_back({ action.control, action.events, action.selector });
        }
        return std::nullopt;
    }

    const NSBundle* m_bundle;
    Object* m_owner;
    std::string m_problem;
    std::vector<PendingOutlet> m_outlets;
    std::vector<PendingAction> m_actions;
};

}

UINib::UINib(std::string name, std::shared_ptr<NSBundle> bundle)
    : m_name(std::move(name))
    , m_bundle(std::move(bundle))
{
}

std::shared_ptr<UINib> UINib::nibWithNibName(std::string name, std::shared_ptr<NSBundle> bundle)
{
    return std::shared_ptr<UINib>(new UINib(std::move(name), std::move(bundle)));
}

fs::path UINib::path() const
{
    fs::path folder = m_bundle ? m_bundle->hostPath() : fs::path();
    return folder / (m_name + ".nib");
}

std::variant<NibContents, std::string> UINib::instantiate(Object* owner) const
{
    declareStandardViews();
    auto refuse = [&](const std::string& why) -> std::variant<NibContents, std::string> {
        std::string line = "layout " + m_name + " (" + path().string() + "): " + why;
        logf("UINib: %s", line.c_str());
        return line;
    };
    if (m_name.empty() || m_name.find('/') != std::string::npos)
        return refuse("not a layout name");
    std::error_code error;
    if (!fs::is_regular_file(path(), error))
        return refuse("missing");
    auto root = readPropertyListFile(path());
    if (!root)
        return refuse("malformed: not a property list");
    auto built = Builder(m_bundle.get(), owner).build(*root);
    if (auto* problem = std::get_if<std::string>(&built))
        return refuse("refused: " + *problem);
    return built;
}

std::optional<std::vector<std::shared_ptr<UIView>>> UINib::instantiateWithOwner(Object* owner,
    const PropertyList::Dictionary*) const
{
    auto result = instantiate(owner);
    if (auto* contents = std::get_if<NibContents>(&result))
        return std::move(contents->topLevelViews);
    return std::nullopt;
}

std::optional<std::vector<std::shared_ptr<UIView>>> loadNibNamed(const std::shared_ptr<NSBundle>& bundle,
    std::string_view name, Object* owner, const PropertyList::Dictionary* options)
{
    return UINib::nibWithNibName(std::string(name), bundle)->instantiateWithOwner(owner, options);
}

}
