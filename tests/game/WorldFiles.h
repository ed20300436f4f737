#pragma once
// The text files of the small game world that the world's tests and its demo fuzz target load, as
// a person would write them (particle generators, brick types and empty sounds), and the sound
// system that only logs what plays. Free of the test framework, so the fuzz target takes it too.
#include "sound/SoundBuffer.h"
#include "sound/SoundSystem.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace worldfiles {

// A buffer that only notes the list index of each start.
class CLoggingSoundBuffer : public CSoundBuffer
{
public:
    explicit CLoggingSoundBuffer(std::vector<int>* plays) : m_plays(plays) {}
    bool Play(bool) override
    {
        m_plays->push_back(GetListIndex());
        return true;
    }
    bool SetVolume(int) override { return true; }
    bool IsPlaying() const override { return false; }
    bool LoadFromFile(const char*, uint32_t) override { return true; }

private:
    std::vector<int>* m_plays;
};

class CLoggingSoundSystem : public CSoundSystem
{
public:
    bool Init() override { return true; }
    void Shutdown() override {}
    CSoundBuffer* CreateBuffer() override { return new CLoggingSoundBuffer(&m_plays); }
    bool SaveSystemVolume() override { return true; }
    bool SetStereo(bool) override { return true; }
    bool SetMasterVolume(int) override { return true; }
    bool SetMute(bool) override { return true; }
    bool ApplyVolume() override { return true; }
    bool RestoreSystemVolume() override { return true; }
    bool HasDevice() const override { return true; }

    std::vector<int> m_plays;
};


inline void WriteText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A generator file: the kinds are (sequence name, weight).
inline std::string GeneratorText(uint32_t particles, float velocity, float cone,
                                 const std::vector<std::pair<std::string, uint32_t>>& kinds)
{
    std::string text = "CParticleGeneratorInfo\n{\n";
    text += "\tParticles=" + std::to_string(particles) + "\n";
    text += "\tVelocity=" + std::to_string(velocity) + "\n";
    text += "\tCone Angle=" + std::to_string(cone) + "\n";
    if (!kinds.empty()) {
        text += "\tParticle Types=Array\n\t{\n\t\tArray Count=" + std::to_string(kinds.size()) + "\n";
        for (const auto& [sequence, weight] : kinds)
            text += "\t\tArray Item=CParticleType\n\t\t{\n\t\t\tParticle Type=" + sequence + "\n\t\t\tWeight=" +
                    std::to_string(weight) + "\n\t\t}\n";
        text += "\t}\n";
    }
    return text + "}\n";
}

// Generators "!None", "Burst" (12 sparks of Spark and Flash 3:1, 120 px/s, all round) and
// "Effects/Cone" (8 sparks of Spark, 60 px/s, a cone of pi/2) in "Resources".
inline void WriteGenerators()
{
    WriteText("Resources/!None.PGen", GeneratorText(4, 30.0f, 6.2831853f, {}));
    WriteText("Resources/Burst.PGen", GeneratorText(12, 120.0f, 6.2831853f, {{"Spark", 30}, {"Flash", 10}}));
    WriteText("Resources/Effects/Cone.PGen", GeneratorText(8, 60.0f, 1.5707964f, {{"Spark", 10}}));
}

// Brick types "!None" and "Rock" (break particles: Flash alone) in "Resources".
inline void WriteBrickTypes()
{
    WriteText("Resources/!None.Brick", "CBrickInfo\n{\n}\n");
    WriteText("Resources/Rock.Brick", "CBrickInfo\n{\n\tBreak Particle Types=Array\n\t{\n\t\tArray "
                                      "Count=1\n\t\tArray Item=CParticleType\n\t\t{\n\t\t\tParticle "
                                      "Type=Flash\n\t\t}\n\t}\n}\n");
}

// Sounds "!None.wav", "Bounce.wav" and "Pop Brick.wav" in "Sounds".
inline void WriteSounds()
{
    for (const char* sound : {"Sounds/!None.wav", "Sounds/Bounce.wav", "Sounds/Pop Brick.wav"})
        WriteText(sound, "RIFF");
}

} // namespace worldfiles
