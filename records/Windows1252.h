#pragma once

#include <QString>
#include <string>

// The game's stored text is single-byte Western European text (Windows code
// page 1252): the cipher works on its bytes, the store and the window on
// QStrings. These convert between the two.
namespace Windows1252 {

// Whether every character of `text` has a byte in the code page.
bool CanEncode(const QString& text);

// Characters without a byte become '?'.
std::string FromUnicode(const QString& text);

QString ToUnicode(const std::string& bytes);

}  // namespace Windows1252
