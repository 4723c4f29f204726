#include "app/stored_props.h"

#include <algorithm>

namespace {

const std::wstring_view kPropMarker = L"<P>";
const std::wstring_view kAllItems = L"<ForAllItems>";

// The property names a property path stands for on this component, with every
// "<ForAllItems>" step replaced by each item of its collection in turn.
void ExpandItems(const TStoredComponent& component, const std::wstring& prefix,
                 std::wstring_view rest, std::vector<std::wstring>& names) {
    const auto at = rest.find(kAllItems);
    if (at == std::wstring_view::npos) {
        names.push_back(prefix + std::wstring(rest));
        return;
    }
    // "Columns.<ForAllItems>.Width": the collection is the part before the step's dot.
    if (at == 0 || rest[at - 1] != L'.')
        return;
    const std::wstring collection = prefix + std::wstring(rest.substr(0, at - 1));
    std::wstring_view after = rest.substr(at + kAllItems.size());
    if (after.empty() || after.front() != L'.')
        return;
    after.remove_prefix(1);
    const int count = component.ItemCount(collection);
    for (int i = 0; i < count; ++i)
        ExpandItems(component, collection + L".__Item" + std::to_wstring(i) + L".", after, names);
}

void AddPath(const TStoredComponent& window, const TPropPath& path, TPropObject& root) {
    const TStoredComponent* component = &window;
    TPropObject* object = &root;
    for (const std::wstring& step : path.Components) {
        component = component->Find(step);
        if (!component)
            return;
        object = &object->Child(step, component->ClassName());
    }
    std::vector<std::wstring> names;
    ExpandItems(*component, L"", path.Property, names);
    for (const std::wstring& name : names) {
        if (auto value = component->GetProp(name))
            object->Props.emplace_back(name, std::move(*value));
    }
}

} // namespace

TStoredComponent::TStoredComponent(std::wstring name, std::wstring className)
    : name_(std::move(name)), className_(std::move(className)) {}

std::optional<std::wstring> TStoredComponent::GetProp(const std::wstring&) const {
    return std::nullopt;
}

bool TStoredComponent::SetProp(const std::wstring&, const std::wstring&) {
    return false;
}

int TStoredComponent::ItemCount(const std::wstring&) const {
    return 0;
}

TStoredComponent& TStoredComponent::Add(std::unique_ptr<TStoredComponent> child) {
    children_.push_back(std::move(child));
    return *children_.back();
}

TStoredComponent* TStoredComponent::Find(const std::wstring& name) const {
    for (const auto& child : children_) {
        if (child->Name() == name)
            return child.get();
    }
    return nullptr;
}

TPropertyNamesEh::TPropertyNamesEh(std::initializer_list<std::wstring> paths) {
    for (const std::wstring& path : paths)
        Add(path);
}

void TPropertyNamesEh::Add(const std::wstring& path) {
    if (std::find(paths_.begin(), paths_.end(), path) == paths_.end())
        paths_.push_back(path);
}

std::optional<TPropPath> ParsePropPath(std::wstring_view path) {
    TPropPath parsed;
    for (;;) {
        const auto dot = path.find(L'.');
        if (dot == std::wstring_view::npos)
            return std::nullopt;
        const std::wstring_view step = path.substr(0, dot);
        path.remove_prefix(dot + 1);
        if (step == kPropMarker)
            break;
        parsed.Components.emplace_back(step);
    }
    if (path.empty())
        return std::nullopt;
    parsed.Property = path;
    return parsed;
}

TPropObject BuildPropDescription(const TStoredComponent& window, const TPropertyNamesEh& paths) {
    TPropObject root{window.Name(), window.ClassName(), {}, {}};
    for (const std::wstring& text : paths.Paths()) {
        if (const auto path = ParsePropPath(text))
            AddPath(window, *path, root);
    }
    return root;
}

void ApplyPropDescription(TStoredComponent& window, const TPropObject& description) {
    for (const auto& [name, value] : description.Props)
        window.SetProp(name, value);
    for (const TPropObject& child : description.Children) {
        if (TStoredComponent* component = window.Find(child.Name))
            ApplyPropDescription(*component, child);
    }
}
