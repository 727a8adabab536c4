#include "PageElements.h"

using emscripten::val;

val Document() { return val::global("document"); }

void SetAttribute(val &element, const char *name, const std::string &value)
{
    const val now = element.call<val>("getAttribute", std::string(name));
    if (now.isNull() || now.as<std::string>() != value)
        element.call<void>("setAttribute", std::string(name), value);
}

void SetText(val &element, const std::string &text)
{
    if (element["textContent"].as<std::string>() != text)
        element.set("textContent", text);
}

void Arrange(val &element, const std::vector<val> &children)
{
    const val current = element["children"];
    for (size_t i = 0; i < children.size(); ++i) {
        const val at = current[i];
        if (at.isUndefined() || !at.strictlyEquals(children[i]))
            element.call<void>("insertBefore", children[i], at.isUndefined() ? val::null() : at);
    }
    while (current["length"].as<size_t>() > children.size())
        element.call<void>("removeChild", element["lastElementChild"]);
}
