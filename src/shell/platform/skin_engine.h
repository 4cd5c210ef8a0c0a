#pragma once

#include <cstdint>
#include <vector>

namespace hygrova {

// BSE1: the skin-engine component every window carries. The windows keep their native look,
// so the engine draws nothing; it only takes the set-up calls each window makes when it
// loads, addressed by dispatch identifier as the component defines them, and remembers them.
class SkinEngine {
public:
    struct Call {
        std::uint32_t dispatchId;
        bool isPropertyPut;
        std::int32_t argument;
    };

    void PutProperty(std::uint32_t dispatchId, std::int32_t value);
    void Invoke(std::uint32_t dispatchId);

    const std::vector<Call>& calls() const { return m_calls; }

private:
    std::vector<Call> m_calls;
};

// The set-up sequence of the skin engine, the same on every window: the property 0x6803000A
// set to 0, then the methods 0x6003000C and 0x6003000B.
void SetUpSkin(SkinEngine& engine);

}  // namespace hygrova
