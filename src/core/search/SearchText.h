#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// How the menu search compares texts: both the query and the menu captions are folded to one
// form first, so that case and accents do not matter, and then cut into words.

// The text in lower case with the accents of Latin letters taken off (É is e, ß is ss, Æ is ae,
// Ł is l), combining accents dropped, Greek and Cyrillic capitals in lower case. Every run of
// characters that are not letters or digits becomes one space; the result starts and ends with
// no space. Bytes that are not well-formed UTF-8 count as such a run.
std::string FoldForSearch(std::string_view utf8);

// The words of a folded text, in order; they point into it.
std::vector<std::string_view> SearchWords(std::string_view folded);

}  // namespace tarvik
