// Reading object text on a stream that tolerates damage: what would end the program is only
// recorded, the reader goes on, and damage that the reader passes over silently is recorded too.
#include "ContainerTestClasses.h"
#include "FatalCatcher.h"

namespace {

struct Outcome
{
    bool read = false;
    bool damaged = false;
};

Outcome ReadTolerantly(CTestContainer& object, const std::string& body)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, "CTestContainer\r\n{\r\n" + body + "}\r\n");
    stream.SetDamageTolerated(true);
    Outcome outcome;
    outcome.read = object.ReadFromTextStream(stream);
    outcome.damaged = stream.IsDamaged();
    return outcome;
}

} // namespace

TEST(DamageTolerance, DamageIsRecordedInsteadOfEndingTheProgram)
{
    struct Case
    {
        const char* what;
        std::string body;
        bool read;
        bool damaged;
    };
    const std::string title = "\tTitle=After\r\n";
    const Case cases[] = {
        {"clean", "\tFigure=CTestBox\r\n\t{\r\n\t\tSide=3\r\n\t}\r\n" + title, true, false},
        {"unknown class", "\tFigure=CNoSuchFigure\r\n\t{\r\n\t\tSide=3\r\n\t}\r\n" + title, true, true},
        {"unrelated class", "\tFigure=CTestStone\r\n\t{\r\n\t\tWeight=3\r\n\t}\r\n" + title, true, true},
        {"abstract class", "\tFigure=CTestAbstractFigure\r\n\t{\r\n\t}\r\n" + title, true, true},
        {"unknown class in an array", "\tFigures=Array\r\n\t{\r\n\t\tItem Count=1\r\n\t\tFigure=CNope\r\n\t\t{\r\n"
                                      "\t\t}\r\n\t}\r\n" + title, true, true},
        {"stray brace", "\tTitle=Before\r\n\t{\r\n\t}\r\n", false, true},
        // The held object's block ends at the stray brace; the outer block's own "}" follows.
        {"stray brace in a held object", title + "\tFigure=CTestBox\r\n\t{\r\n\t\tSide=3\r\n\t\t{\r\n\t}\r\n", true,
         true},
        {"fewer items than announced", "\tWeights=Array\r\n\t{\r\n\t\tItem Count=3\r\n\t\tWeight=1\r\n\t}\r\n" + title,
         true, true},
        {"announced items all given", "\tWeights=Array\r\n\t{\r\n\t\tItem Count=2\r\n\t\tWeight=1\r\n\t\tWeight=2\r\n"
                                      "\t}\r\n" + title, true, false},
        {"array without its brace", "\tWeights=Array\r\n\tItem Count=1\r\n\tWeight=1\r\n\t}\r\n" + title, true, true},
    };
    FatalCatcher fatal; // a fatal end would throw out of the test
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestContainer object;
        Outcome outcome = ReadTolerantly(object, c.body);
        EXPECT_EQ(outcome.read, c.read);
        EXPECT_EQ(outcome.damaged, c.damaged);
        if (c.read) {
            EXPECT_STREQ(object.m_title.CStr(), "After");
        }
    }
}

TEST(DamageTolerance, HeldObjectOfARefusedClassIsNull)
{
    FatalCatcher fatal;
    CTestContainer object;
    ReadTolerantly(object, "\tFigure=CTestStone\r\n\t{\r\n\t\tWeight=3\r\n\t}\r\n");
    EXPECT_EQ(object.m_figure, nullptr);
}

TEST(DamageTolerance, OrdinaryStreamsStillEndTheProgram)
{
    FatalCatcher fatal;
    CTestContainer object;
    CObjectTextStream stream;
    OpenTextForReading(stream, "CTestContainer\r\n{\r\n\tFigure=CTestStone\r\n\t{\r\n\t}\r\n}\r\n");
    EXPECT_FALSE(stream.IsDamageTolerated());
    EXPECT_THROW(object.ReadFromTextStream(stream), FatalError);
}
