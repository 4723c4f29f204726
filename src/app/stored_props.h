#pragma once
// What a window keeps between runs, apart from where it is kept: the components and
// properties a store may read and set, the list of property paths it keeps, and the
// description built from them or applied to them. Portable: no Win32 here.
//
// A property path names one property: the names of the components leading to it, each
// placed directly on the one before (none for the window itself), the marker "<P>", then
// the property name. Inside a collection the step "<ForAllItems>" stands for every item:
// "lv.<P>.Columns.<ForAllItems>.Width" keeps Columns.__Item0.Width, Columns.__Item1.Width...

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/prop_description.h"

// One component as the store sees it: its name and class, the properties it lets the store
// read and set as value texts, and the components placed directly on it.
class TStoredComponent {
public:
    TStoredComponent(std::wstring name, std::wstring className);
    virtual ~TStoredComponent() = default;
    TStoredComponent(const TStoredComponent&) = delete;
    TStoredComponent& operator=(const TStoredComponent&) = delete;

    const std::wstring& Name() const { return name_; }
    const std::wstring& ClassName() const { return className_; }

    // The value text of a property; nullopt when the component has no such property.
    virtual std::optional<std::wstring> GetProp(const std::wstring& name) const;
    // Sets a property from its value text. False when the component has no such property
    // or the text is not a value of its kind; the property is then left as it was.
    virtual bool SetProp(const std::wstring& name, const std::wstring& value);
    // The number of items of a collection property (0 when there is none).
    virtual int ItemCount(const std::wstring& collection) const;

    TStoredComponent& Add(std::unique_ptr<TStoredComponent> child);
    // The component of this name placed directly on this one, or null.
    TStoredComponent* Find(const std::wstring& name) const;

private:
    std::wstring name_;
    std::wstring className_;
    std::vector<std::unique_ptr<TStoredComponent>> children_;
};

// The property paths a store keeps, each once, in the order given.
class TPropertyNamesEh {
public:
    TPropertyNamesEh() = default;
    TPropertyNamesEh(std::initializer_list<std::wstring> paths);
    // Adds a path unless it is listed already.
    void Add(const std::wstring& path);
    const std::vector<std::wstring>& Paths() const { return paths_; }

private:
    std::vector<std::wstring> paths_;
};

struct TPropPath {
    std::vector<std::wstring> Components;
    std::wstring Property; // may hold "<ForAllItems>" steps
};
// Splits a path at its "<P>" marker; nullopt when it has none.
std::optional<TPropPath> ParsePropPath(std::wstring_view path);

// The description of the window's current values for the paths, in their order. Paths
// through components or to properties the window does not have are left out.
TPropObject BuildPropDescription(const TStoredComponent& window, const TPropertyNamesEh& paths);

// Sets every property the description lists on the component of the same name, found
// among the components placed directly on the enclosing one (the root object stands for
// the window). Objects and properties the window does not have, and values of the wrong
// kind, are passed over; everything else is applied.
void ApplyPropDescription(TStoredComponent& window, const TPropObject& description);
