#pragma once
// Window textures made in memory for the toolkit's tests: 8 x 8 frames whose pixels count up
// from a base value, looked up by name like the texture collection the game sets.
#include "../graphics/FrameTestSupport.h"
#include "graphics/Frame.h"
#include "objects/ResourceCollection.h"

#include <string>
#include <utility>
#include <vector>

namespace uitest {

class TextureList : public CResourceCollection
{
public:
    // Each texture's pixels are base + index (palette indices at 8 bits, wrapping at 256).
    explicit TextureList(std::vector<std::pair<std::string, uint16_t>> textures, uint32_t depth = 16)
        : m_textures(std::move(textures)), m_depth(depth)
    {
        std::vector<CSharedString> names;
        for (const auto& texture : m_textures)
            names.emplace_back(texture.first.c_str());
        SetEntries(names);
    }
    CObject* LoadItem(const char*, const char* fileName, CObject** out) override
    {
        for (const auto& texture : m_textures)
            if (texture.first == fileName) {
                auto* frame = new CFrame;
                frame->Create(8, 8, m_depth);
                for (uint32_t i = 0; i < 64; ++i)
                    frametest::WritePixel(*frame, i % 8, i / 8, (texture.second + i) & (m_depth == 8 ? 0xFFu : 0xFFFFu));
                *out = frame;
                return frame;
            }
        return nullptr;
    }

private:
    std::vector<std::pair<std::string, uint16_t>> m_textures;
    uint32_t m_depth;
};

} // namespace uitest
