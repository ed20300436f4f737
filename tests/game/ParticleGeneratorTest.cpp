// Particle generators: a generator file written by hand, the cone shown in degrees, and the
// collection that lists and loads them once.
#include "WorldTestSupport.h"

#include "objects/FloatProperty.h"

#include <numbers>

using namespace worldtest;

namespace {

using ParticleGenerators = WorldFixture;

TEST_F(ParticleGenerators, AFileWrittenByHandAndOneWithoutParticleTypes)
{
    // A kind without a weight weighs 10; a file without "Particle Types" has no particles, and
    // what it leaves out keeps its default.
    CParticleGeneratorInfo info;
    ASSERT_TRUE(ReadObjectText(info, "CParticleGeneratorInfo\n{\n  Particle Types=Array\n  {\n    Array Count=2\n"
                                     "    Array Item=CParticleType\n    {\n      Particle Type=Flash\n      Weight=3\n    }\n"
                                     "    Array Item=CParticleType\n    {\n      Particle Type=Spark\n    }\n  }\n}\n"));
    ASSERT_EQ(info.m_particleTypeCount, 2u);
    EXPECT_EQ(info.m_particleTypes[0].GetSequence(), Sequence("Flash"));
    EXPECT_EQ(info.m_particleTypes[1].GetSequence(), Sequence("Spark"));
    EXPECT_EQ(info.GetTotalWeight(), 13u);
    ASSERT_TRUE(ReadObjectText(info, "CParticleGeneratorInfo\n{\n  Particles=9\n}\n"));
    EXPECT_EQ(info.m_particleTypeCount, 0u);
    EXPECT_EQ(info.m_velocity, 30.0f);
    EXPECT_FLOAT_EQ(info.m_coneAngle, 2.0f * std::numbers::pi_v<float>);
}

TEST_F(ParticleGenerators, AConeOf360DegreesIsStoredAsTwoPi)
{
    const CClassRecord* record = CParticleGeneratorInfo::GetStaticClassRecord();
    const CFloatProperty* cone = nullptr;
    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
        if (std::strcmp(record->GetProperty(i)->GetLabel().CStr(), "Cone Angle") == 0)
            cone = dynamic_cast<const CFloatProperty*>(record->GetProperty(i));
    ASSERT_NE(cone, nullptr);
    CParticleGeneratorInfo info;
    cone->SetFromDisplayText(&info, "360");
    EXPECT_NEAR(info.m_coneAngle, 2.0 * std::numbers::pi, 1e-5);
    EXPECT_GE(info.m_coneAngle, CParticleGeneratorInfo::kAllRoundCone);
    cone->SetFromDisplayText(&info, "90");
    EXPECT_NEAR(info.m_coneAngle, std::numbers::pi / 2, 1e-5);
}

TEST_F(ParticleGenerators, TheCollectionListsPGenFilesAndLoadsEachOnce)
{
    WriteText("Resources/Ship Thruster.PGen", GeneratorText(3, 80.0f, 0.5f, {{"Spark", 1}}));
    WriteText("Resources/-Drafts/Old.PGen", GeneratorText(3, 80.0f, 0.5f, {}));
    WriteText("Resources/Wrong.PGen", "CParticleType\n{\n}\n");
    CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
    generators.SetUpAtStartUp();
    std::vector<std::string> names;
    for (uint32_t i = 0; i < generators.GetCount(); ++i)
        names.emplace_back(generators.GetItemName(i));
    EXPECT_EQ(names, (std::vector<std::string>{"!None", "Burst", "Effects/Cone", "Ship Thruster", "Wrong"}));

    CParticleGeneratorInfo* thruster = generators.FindGenerator("Ship Thruster");
    ASSERT_NE(thruster, nullptr);
    EXPECT_EQ(thruster->m_particleCount, 3u);
    EXPECT_EQ(generators.FindGenerator("Ship Thruster"), thruster);
    CSharedString path;
    ASSERT_TRUE(generators.GetObjectFilePath(thruster, path));
    EXPECT_STREQ(path.CStr(), "Resources/Ship Thruster.PGen");
    EXPECT_EQ(generators.FindGenerator("Missing"), nullptr);
    // A file that holds another class is no generator.
    EXPECT_EQ(generators.FindGenerator("Wrong"), nullptr);
    // Loading never writes the data back.
    EXPECT_EQ(testsupport::ReadFileBytes("Resources/Ship Thruster.PGen"), GeneratorText(3, 80.0f, 0.5f, {{"Spark", 1}}));
}

} // namespace
