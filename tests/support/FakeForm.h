#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "i18n/FormModel.h"

namespace vt::test {

// A component as plain data: what it was given is kept for the test to look at.
struct FakeComponent final : FormComponent {
    FakeComponent(std::wstring componentName, ComponentKind componentKind)
        : name(std::move(componentName)), kind(componentKind) {}

    std::wstring Name() const override { return name; }
    ComponentKind Kind() const override { return kind; }
    void SetText(const std::wstring& value) override {
        text = value;
        ++textWrites;
    }
    std::optional<bool> ParentFont() const override { return parentFont; }
    std::optional<FontSpec> Font() const override { return font; }
    void SetFont(const FontSpec& value) override { font = value; }

    std::wstring name;
    ComponentKind kind;
    std::wstring text;
    int textWrites = 0;
    std::optional<bool> parentFont;
    std::optional<FontSpec> font;
};

class FakeForm final : public Form {
public:
    explicit FakeForm(std::wstring formName) : name(std::move(formName)) {}

    FakeComponent& Add(std::wstring componentName, ComponentKind kind = ComponentKind::Label) {
        components.push_back(std::make_unique<FakeComponent>(std::move(componentName), kind));
        return *components.back();
    }
    FakeComponent& operator[](std::size_t index) { return *components.at(index); }

    std::wstring Name() const override { return name; }
    void SetTitle(const std::wstring& value) override {
        title = value;
        ++titleWrites;
    }
    FontSpec Font() const override { return font; }
    void SetFont(const FontSpec& value) override { font = value; }
    std::size_t ComponentCount() const override { return components.size(); }
    FormComponent* Component(std::size_t index) override {
        return index < components.size() ? components[index].get() : nullptr;
    }

    std::wstring name;
    std::wstring title;
    int titleWrites = 0;
    FontSpec font;
    std::vector<std::unique_ptr<FakeComponent>> components;
};

}  // namespace vt::test
