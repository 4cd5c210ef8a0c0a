#pragma once

#include "common/typed_text.h"

#include <string>

#include <QString>

namespace hygrova {

// The text of an entry box as the core reads it: UTF-8, with the full-width forms a Chinese
// input method types turned into ASCII (AsciiFormsOf).
inline std::string EntryText(const QString& text)
{
    return AsciiFormsOf(text.toStdString());
}

}  // namespace hygrova
