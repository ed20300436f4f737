#include "SoundTestSupport.h"

#include "foundation/ByteOrder.h"

namespace soundtest {

std::string U32(uint32_t value)
{
    uint8_t bytes[4];
    StoreU32Le(bytes, value);
    return std::string(reinterpret_cast<char*>(bytes), 4);
}

std::string U16(uint32_t value)
{
    return U32(value).substr(0, 2);
}

std::string Chunk(const std::string& id, const std::string& body)
{
    return id + U32(static_cast<uint32_t>(body.size())) + body + ((body.size() & 1) ? std::string(1, '\0') : "");
}

std::string FormatBody(int tag, int channels, int rate, int blockAlign, int bits)
{
    return U16(tag) + U16(channels) + U32(rate) + U32(rate * blockAlign) + U16(blockAlign) + U16(bits);
}

std::string Riff(const std::string& chunks)
{
    return "RIFF" + U32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

std::string WaveBytes(int channels, int bits, int rate, const std::string& pcm, bool dataFirst,
                      const std::string& leadingChunk)
{
    const std::string format = Chunk("fmt ", FormatBody(1, channels, rate, channels * bits / 8, bits));
    const std::string data = Chunk("data", pcm);
    return Riff(leadingChunk + (dataFirst ? data + format : format + data));
}

std::string Pcm16(const std::vector<int16_t>& samples)
{
    std::string pcm;
    for (int16_t sample : samples)
        pcm += U16(static_cast<uint16_t>(sample));
    return pcm;
}

void SoundTest::SetUp()
{
    Device().Reset();
    m_system = &m_ownSystem;
    CSoundSystem::SetInstance(m_system);
    ASSERT_TRUE(m_system->Init());
    Device().StartCapture();
}

void SoundTest::TearDown()
{
    for (CSoundBuffer* buffer : m_buffers)
        CSoundSystem::GetInstance()->DestroyBuffer(buffer);
    m_buffers.clear();
    m_system->Shutdown();
    CSoundSystem::SetInstance(nullptr);
    Device().Reset();
}

std::string SoundTest::WriteFile(const std::string& name, const std::string& bytes)
{
    testsupport::WriteFileBytes(m_dir.Path() / name, bytes);
    return m_dir / name;
}

std::string SoundTest::WriteTone(const std::string& name, int frames, int16_t value, int rate)
{
    return WriteFile(name, WaveBytes(1, 16, rate, Pcm16(std::vector<int16_t>(static_cast<size_t>(frames), value))));
}

CDirectSoundBuffer* SoundTest::NewBuffer(const std::string& file, bool looping, bool deferred)
{
    auto* buffer = static_cast<CDirectSoundBuffer*>(CSoundSystem::GetInstance()->CreateBuffer());
    m_buffers.push_back(buffer);
    if (!file.empty()) {
        EXPECT_TRUE(buffer->Load(file.c_str(), looping, deferred)) << file;
    }
    return buffer;
}

} // namespace soundtest
