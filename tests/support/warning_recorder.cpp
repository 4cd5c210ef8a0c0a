#include "tests/support/warning_recorder.h"

namespace hygrova::test {

WarningRecorder::WarningRecorder()
    : m_previous(SetWarningBoxHandler(
          [this](QWidget*, const QString& message) { m_messages.append(message); }))
{
}

WarningRecorder::~WarningRecorder()
{
    SetWarningBoxHandler(std::move(m_previous));
}

}  // namespace hygrova::test
