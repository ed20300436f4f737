#include "EffectContent.h"

#include "DrawnSequence.h"
#include "StagingFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* kResources = "Resources";
constexpr double kTwoPi = 6.283185307179586;

// A puff that grows from a point to radius and fades: frame i of count.
struct EffectRecipe
{
    const char* name;
    int frames;
    int radius;
    float framesPerSecond;
    Rgba inner;
    Rgba outer;
    bool ring; // a ring that widens (blasts) rather than a disc that fades (splashes, sparks)
};

constexpr EffectRecipe kEffects[] = {
    {"Small Gore", 6, 6, 20.0f, {200, 30, 20, 255}, {90, 0, 0, 255}, false},
    {"ShipExplode", 10, 30, 20.0f, {255, 250, 200, 255}, {230, 90, 10, 255}, true},
    {"Spark Yellow", 5, 2, 15.0f, {255, 255, 190, 255}, {240, 200, 40, 255}, false},
    {"Spark Orange", 5, 2, 15.0f, {255, 220, 150, 255}, {230, 110, 20, 255}, false},
    {"Spark Blue", 5, 2, 15.0f, {220, 240, 255, 255}, {60, 130, 240, 255}, false},
};

CImage PaintEffectFrame(const EffectRecipe& recipe, int frame)
{
    const int size = 2 * recipe.radius + 3;
    CImage image(size, size);
    const double centre = (size - 1) / 2.0;
    // 0 at the first frame to 1 at the last.
    const double age = recipe.frames > 1 ? static_cast<double>(frame) / (recipe.frames - 1) : 0.0;
    const double reach = recipe.ring ? 1.0 + age * recipe.radius : recipe.radius * (1.0 - 0.5 * age) + 0.8;
    const uint8_t fade = static_cast<uint8_t>(255 * (1.0 - 0.8 * age));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - centre, y - centre);
            const double width = recipe.ring ? 2.5 + 0.3 * recipe.radius * age : reach;
            const double inside = recipe.ring ? 1.0 - std::abs(d - reach) / width : 1.0 - d / reach;
            if (inside <= 0.0)
                continue;
            Rgba colour = MixColors(recipe.outer, recipe.inner, static_cast<uint32_t>(std::min(1.0, inside) * 255));
            colour.a = static_cast<uint8_t>(std::min(1.0, inside * 1.5) * fade);
            image.SetPixel(x, y, colour);
        }
    image.SetHotSpot(size / 2, size / 2);
    return image;
}

bool SaveEffect(const EffectRecipe& recipe)
{
    std::vector<CImage> frames;
    for (int i = 0; i < recipe.frames; ++i)
        frames.push_back(PaintEffectFrame(recipe, i));
    return SaveDrawnSequence(kResources, recipe.name, frames, recipe.framesPerSecond);
}

struct Kind
{
    const char* sequence;
    unsigned weight;
};

struct GeneratorRecipe
{
    const char* name;
    unsigned particles;
    double velocity;  // pixels per second
    double coneAngle; // radians; two pi all round
    std::vector<Kind> kinds;
};

std::vector<GeneratorRecipe> GetGeneratorRecipes()
{
    const std::vector<Kind> yellow{{"Spark Yellow", 10}};
    const std::vector<Kind> fire{{"Spark Orange", 10}, {"Spark Yellow", 5}};
    const std::vector<Kind> blue{{"Spark Blue", 10}};
    const std::vector<Kind> brick{{"Spark Yellow", 10}, {"Spark Orange", 10}};
    const std::vector<Kind> blast{{"Spark Orange", 10}, {"Spark Yellow", 10}, {"Spark Blue", 3}};
    return {
        {"!None", 4, 30, kTwoPi, {}},
        {"Ball Hit Wall", 6, 60, 2.0, yellow},
        {"Ball Hit Wall Small", 3, 45, 2.0, yellow},
        {"Ball Hit Ship", 8, 70, 2.4, {{"Spark Blue", 10}, {"Spark Yellow", 5}}},
        {"Ball Hit Ship Small", 4, 50, 2.4, {{"Spark Blue", 10}, {"Spark Yellow", 5}}},
        {"Ball Hit Brick", 8, 80, kTwoPi, brick},
        {"Ball Hit Brick Small", 4, 60, kTwoPi, brick},
        {"Fire Ball", 6, 40, 1.2, fire},
        {"Fire Ball Small", 3, 30, 1.2, fire},
        {"Rail Ball", 6, 50, 1.0, blue},
        {"Rail Ball Small", 3, 40, 1.0, blue},
        {"Ship Thruster", 2, 90, 0.5, fire},
        {"Ship Explode", 40, 120, kTwoPi, blast},
        {"Bomb Explode", 30, 150, kTwoPi, {{"Spark Orange", 10}, {"Spark Yellow", 10}}},
        {"Brick Change Type", 10, 40, kTwoPi, {{"Spark Blue", 10}, {"Spark Yellow", 10}}},
        // A broken brick throws its own chips (its file names them); these are for one without.
        {"Brick Break", 8, 70, kTwoPi, brick},
        {"Brick Blast", 16, 130, kTwoPi, blast},
    };
}

// The generator as a person would write it; the kinds name their sequences.
std::string GeneratorText(const GeneratorRecipe& recipe)
{
    char line[128];
    std::string text = "CParticleGeneratorInfo\n{\n";
    std::snprintf(line, sizeof line, "\tParticles=%u\n\tVelocity=%.1f\n\tCone Angle=%.7f\n", recipe.particles,
                  recipe.velocity, recipe.coneAngle);
    text += line;
    if (!recipe.kinds.empty()) {
        text += "\tParticle Types=Array\n\t{\n\t\tArray Count=" + std::to_string(recipe.kinds.size()) + "\n";
        for (const Kind& kind : recipe.kinds)
            text += std::string("\t\tArray Item=CParticleType\n\t\t{\n\t\t\tParticle Type=") + kind.sequence +
                    "\n\t\t\tWeight=" + std::to_string(kind.weight) + "\n\t\t}\n";
        text += "\t}\n";
    }
    return text + "}\n";
}

} // namespace

bool AddEffects(CContentSet& set, std::string& error)
{
    {
        const CStagingFolder staging;
        if (!staging.IsReady()) {
            error = "cannot make a scratch folder for the effect sequences";
            return false;
        }
        for (const EffectRecipe& recipe : kEffects)
            if (!SaveEffect(recipe)) {
                error = std::string("cannot write the sequence ") + recipe.name;
                return false;
            }
        if (!staging.AddFilesTo(set, error))
            return false;
    }
    for (const GeneratorRecipe& recipe : GetGeneratorRecipes()) {
        const std::string text = GeneratorText(recipe);
        const std::string entry = std::string(recipe.name) + ".PGen";
        if (!set.AddEntry(kResources, entry, CContentSet::Bytes(text.begin(), text.end()))) {
            error = entry + " is in the data set twice";
            return false;
        }
    }
    return true;
}
