#include "shell/platform/skin_engine.h"

namespace hygrova {

void SkinEngine::PutProperty(std::uint32_t dispatchId, std::int32_t value)
{
    m_calls.push_back({dispatchId, true, value});
}

void SkinEngine::Invoke(std::uint32_t dispatchId)
{
    m_calls.push_back({dispatchId, false, 0});
}

void SetUpSkin(SkinEngine& engine)
{
    engine.PutProperty(0x6803000A, 0);
    engine.Invoke(0x6003000C);
    engine.Invoke(0x6003000B);
}

}  // namespace hygrova
