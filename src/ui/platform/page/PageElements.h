#pragma once

#include <emscripten/val.h>

#include <string>
#include <vector>

// Changes to the page's elements that touch only what differs: a screen reader takes every change
// for news, and a focused element that is moved loses the browser's focus.

emscripten::val Document();

void SetAttribute(emscripten::val &element, const char *name, const std::string &value);

void SetText(emscripten::val &element, const std::string &text);

// Makes ELEMENT's children exactly CHILDREN, in this order, moving none that is already in place.
void Arrange(emscripten::val &element, const std::vector<emscripten::val> &children);
