// Edit fields: typing through the filters and the undo of a rejected change, the editing keys,
// the clipboard (the system keys, the headless clipboard's UTF-8, pasted control characters and
// random bytes), and the mouse placing the cursor.
#include "InputTestSupport.h"
#include "platform/Window.h"
#include "ui/UiKeys.h"
#include "ui/controls/JEditField.h"

#include <algorithm>
#include <random>

namespace {

using namespace uitest;

// A field with a parent that counts the value-changed notifications.
class EditFieldTest : public ScreenInputTest
{
protected:
    CJEditField* MakeField(const char* text)
    {
        m_parent = Open(new ProbeWindow("Panel", &m_log), {10, 10, 400, 100});
        m_field = new CJEditField(m_parent, text);
        m_parent->AddChild(m_field, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
        return m_field;
    }
    // Feeds each character as a key; '<' '>' are Left and Right, '{' '}' Home and End, '#'
    // Backspace, '^' Ctrl+A, '!' Insert.
    void Type(const std::string& keys)
    {
        for (const char c : keys) {
            const int32_t key = c == '<'   ? uikey::kLeft
                                : c == '>' ? uikey::kRight
                                : c == '{' ? uikey::kHome
                                : c == '}' ? uikey::kEnd
                                : c == '#' ? uikey::kBackspace
                                : c == '^' ? uikey::kSelectAll
                                : c == '!' ? uikey::kInsert
                                           : static_cast<uint8_t>(c);
            m_field->OnKey(key);
        }
    }
    ProbeWindow* m_parent = nullptr;
    CJEditField* m_field = nullptr;
};

struct TypingCase
{
    const char* name;
    const char* initial;
    const char* keys;
    const char* expected;
    uint32_t anchor, cursor;
    std::function<void(CJEditField*)> setUp;
};

TEST_F(EditFieldTest, TypingGoesThroughTheFiltersAndRejectedChangesAreUndone)
{
    const TypingCase cases[] = {
        {"the fresh text is selected and replaced", "abc", "x", "x", 1, 1, nullptr},
        {"insert in the middle", "abc", "}<<X", "aXbc", 2, 2, nullptr},
        {"max length keeps the text", "abc", "}d", "abc", 3, 3, [](CJEditField* f) { f->SetMaximumLength(3); }},
        {"max length still lets a selection be replaced", "abc", "^z", "z", 1, 1,
         [](CJEditField* f) { f->SetMaximumLength(3); }},
        {"numeric takes digits, '.' and '-' only", "", "a1.-b2 ", "1.-2", 4, 4,
         [](CJEditField* f) { f->SetNumericOnly(true); }},
        {"range 1..10: 10 passes", "1", "}0", "10", 2, 2, [](CJEditField* f) { f->SetRange(1, 10); }},
        {"range 1..10: 15 fails and the cursor comes back", "1", "}5", "1", 1, 1,
         [](CJEditField* f) { f->SetRange(1, 10); }},
        {"a failed replacement restores the selection", "7", "9", "7", 0, 1,
         [](CJEditField* f) { f->SetRange(1, 8); }},
        {"overwrite replaces before the end", "abc", "{!xy!", "xyc", 2, 2, nullptr},
        {"overwrite inserts at the end", "ab", "}!c!", "abc", 3, 3, nullptr},
        {"upper case, accented letters too", "", "a\xe9z1", "A\xc9Z1", 4, 4,
         [](CJEditField* f) { f->SetUpperCase(true); }},
        {"backspace removes before the cursor", "abc", "}<#", "ac", 1, 1, nullptr},
        {"backspace at the start does nothing", "abc", "{#", "abc", 0, 0, nullptr},
        {"backspace removes the selection", "abc", "#", "", 0, 0, nullptr},
        {"backspace that leaves the range is undone", "10", "}#", "10", 2, 2,
         [](CJEditField* f) { f->SetRange(5, 10); }},
        {"not editable: characters taken, nothing changes; backspace only moves", "abc", "}x#", "abc", 2, 2,
         [](CJEditField* f) { f->SetEditable(false); }},
        {"arrows stop at both ends", "ab", "{<<<>>>>x", "abx", 3, 3, nullptr},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.name);
        CJEditField::SetInsertMode(true);
        MakeField(c.initial);
        if (c.setUp)
            c.setUp(m_field);
        TakeLog();
        Type(c.keys);
        EXPECT_STREQ(m_field->GetText(), c.expected);
        EXPECT_EQ(m_field->GetAnchor(), c.anchor);
        EXPECT_EQ(m_field->GetCursorIndex(), c.cursor);
        EXPECT_LE(m_field->GetCursorIndex(), std::strlen(m_field->GetText()));
        delete m_parent;
    }
    CJEditField::SetInsertMode(true);
}

TEST_F(EditFieldTest, EachAcceptedChangeNotifiesOnceAndRejectedOnesNotAtAll)
{
    MakeField("1");
    m_field->SetRange(1, 10);
    TakeLog();
    Type("}0");  // "10": one change
    Type("5");   // "105": undone
    Type("#");   // "1": one change
    Type("{#");  // nothing
    EXPECT_EQ(TakeLog(), (Log{"Panel: command 1 from 10", "Panel: command 1 from 1"}));
}

// A field that refuses every text holding an 'x'.
class NoXField : public CJEditField
{
public:
    using CJEditField::CJEditField;
    bool Validate(const char* text) override { return std::strchr(text, 'x') == nullptr; }
};

TEST_F(EditFieldTest, AnUndoneChangeBringsBackTextsLongerThan255Characters)
{
    MakeField("");
    const std::string text(300, 'a');
    auto* field = new NoXField(m_parent, text.c_str());
    m_parent->AddChild(field, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    field->Select(280, 280);
    EXPECT_TRUE(field->OnKey('x'));
    EXPECT_EQ(field->GetText(), text);
    EXPECT_EQ(field->GetCursorIndex(), 280u);
    field->Select(0, 300);
    EXPECT_TRUE(field->OnKey('x'));
    EXPECT_EQ(field->GetText(), text);
    EXPECT_EQ(field->GetAnchor(), 0u);
    EXPECT_EQ(field->GetCursorIndex(), 300u);
}

TEST_F(EditFieldTest, TheTextScrollsToShowTheCursorAndNeverRightOfItsStart)
{
    MakeField("ABCDABCDABCDABCD");  // 128 px
    m_field->SetWidth(50);
    m_screen->ActivateChild(m_parent);
    m_parent->ActivateChild(m_field);
    m_field->Select(16, 16);
    m_screen->DrawScreen();
    // Inner width 48: the cursor's column 128 shows at the right edge.
    EXPECT_EQ(m_field->GetScrollOffset(), 128 + 1 - 48 + 1);
    Type("{");
    m_screen->DrawScreen();
    EXPECT_EQ(m_field->GetScrollOffset(), 0);
    Type("}");
    m_screen->DrawScreen();
    EXPECT_EQ(m_field->GetScrollOffset(), 82);
    // A text now shorter than the field comes back to its start, not right of it.
    Type("^A");
    m_screen->DrawScreen();
    EXPECT_EQ(m_field->GetScrollOffset(), 0);
}

TEST_F(EditFieldTest, KeysTheDialogNeedsAreNotTaken)
{
    MakeField("ab");
    for (int32_t key : {uikey::kTab, uikey::kEnter, uikey::kEscape, uikey::kUp, uikey::kDown, 3, 22, 24, 300})
        EXPECT_FALSE(m_field->OnKey(key)) << key;
    m_field->SetNumericOnly(true);
    EXPECT_FALSE(m_field->OnKey('x'));
    EXPECT_TRUE(m_field->OnKey('5'));
}

TEST_F(EditFieldTest, ShiftExtendsTheSelectionAndInsertWithModifiers)
{
    MakeField("abcd");
    Type("{>");
    g_keyboard.OnKeyDown(kShiftKey);
    Type(">>");
    EXPECT_EQ(m_field->GetAnchor(), 1u);
    EXPECT_EQ(m_field->GetCursorIndex(), 3u);
    EXPECT_FALSE(m_field->OnKey(uikey::kInsert));  // Shift+Insert is the paste of an editable field
    m_field->SetEditable(false);
    EXPECT_TRUE(m_field->OnKey(uikey::kInsert));
    g_keyboard.OnKeyUp(kShiftKey);
    m_field->SetEditable(true);
    Type("X");
    EXPECT_STREQ(m_field->GetText(), "aXd");
    g_keyboard.OnKeyDown(kCtrlKey);
    EXPECT_FALSE(m_field->OnKey(uikey::kInsert));
    g_keyboard.OnKeyUp(kCtrlKey);
    EXPECT_TRUE(CJEditField::IsInsertMode());
}

TEST_F(EditFieldTest, CtrlCAndCtrlVRoundTripThroughTheSystemClipboard)
{
    constexpr int kCKey = 46, kVKey = 47;
    MakeField("h\xe9llo");  // Windows-1252 e acute
    CJEditField* second = new CJEditField(m_parent, "xyz");
    m_parent->AddChild(second, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_parent->ActivateChild(m_field);
    Stroke(kCKey, 3, {kCtrlKey});
    EXPECT_EQ(platform::GetHeadlessBackend().GetClipboardUtf8(), std::optional<std::string>("h\xc3\xa9llo"));

    m_parent->ActivateChild(second);
    Stroke(kVKey, 22, {kCtrlKey});
    EXPECT_STREQ(second->GetText(), "h\xe9llo");
    EXPECT_STREQ(m_field->GetText(), "h\xe9llo");

    // Text another program put there, in UTF-8.
    platform::GetHeadlessBackend().SetClipboardUtf8("\xe2\x82\xac" "5");  // euro sign
    second->SetText("");
    second->Paste(1);
    EXPECT_STREQ(second->GetText(), "\x80" "5");
}

TEST_F(EditFieldTest, PastingWithTheCursorInsideAndNothingSelectedInserts)
{
    constexpr int kVKey = 47, kEndKey = 335, kLeftKey = 331;
    MakeField("abcd");
    m_parent->ActivateChild(m_field);
    Stroke(kEndKey, 0);
    Stroke(kLeftKey, 0);
    Stroke(kLeftKey, 0);
    ASSERT_EQ(m_field->GetCursorIndex(), 2u);
    platform::SetClipboardText("X");
    TakeLog();
    Stroke(kVKey, 22, {kCtrlKey});
    EXPECT_STREQ(m_field->GetText(), "abXcd");
    EXPECT_EQ(m_field->GetCursorIndex(), 3u);
    // One change, one notification: nothing was deleted first.
    const Log log = TakeLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return line.rfind("Panel: command 1", 0) == 0; }),
              1);
}

TEST_F(EditFieldTest, PastedControlCharactersRunNoCommandsAndTabsBecomeBlanks)
{
    MakeField("");
    // Backspace, Ctrl+A, Home, Left and a tab among the letters.
    platform::SetClipboardText(std::string_view("ab\x08" "c\x01\x05\x0b\tde", 10));
    m_field->Paste(1);
    EXPECT_STREQ(m_field->GetText(), "abc de");
    EXPECT_EQ(m_field->GetCursorIndex(), 6u);

    m_field->SetNumericOnly(true);
    m_field->SetText("");
    platform::SetClipboardText("12a");
    m_field->Paste(1);
    EXPECT_STREQ(m_field->GetText(), "12");
}

TEST_F(EditFieldTest, RandomPastedBytesNeverBreakTheFieldsRules)
{
    struct Kind
    {
        const char* name;
        std::function<void(CJEditField*)> setUp;
        std::function<bool(const std::string&)> holds;
    };
    auto printable = [](const std::string& text) {
        for (const char c : text)
            if (static_cast<uint8_t>(c) < 32)
                return false;
        return true;
    };
    const Kind kinds[] = {
        {"plain", nullptr, [](const std::string&) { return true; }},
        {"numeric", [](CJEditField* f) { f->SetNumericOnly(true); },
         [](const std::string& t) { return t.find_first_not_of("0123456789.-") == std::string::npos; }},
        {"length 5", [](CJEditField* f) { f->SetMaximumLength(5); }, [](const std::string& t) { return t.size() <= 5; }},
        {"range -50..50", [](CJEditField* f) { f->SetRange(-50, 50); },
         [](const std::string& t) {
             const float v = std::strtof(t.c_str(), nullptr);
             return t.empty() || (v >= -50 && v <= 50);
         }},
    };
    std::mt19937 random(37);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        MakeField("");
        if (kind.setUp)
            kind.setUp(m_field);
        for (int round = 0; round < 200; ++round) {
            std::string bytes(random() % 24, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random() % 256);
            platform::SetClipboardText(bytes);
            if (round % 3 == 0)
                m_field->SetText("");
            m_field->Paste(1);
            const std::string text = m_field->GetText();
            ASSERT_TRUE(printable(text)) << round;
            ASSERT_TRUE(kind.holds(text)) << text;
            ASSERT_LE(m_field->GetCursorIndex(), text.size());
            ASSERT_LE(m_field->GetAnchor(), text.size());
        }
        delete m_parent;
    }
}

TEST_F(EditFieldTest, TheMousePlacesTheCursorAndADragSelects)
{
    MakeField("ABCD");  // 8 pixels a letter
    const int32_t left = m_field->GetScreenRect().m_left, y = m_field->GetScreenRect().m_top + 5;
    // The largest i whose prefix width - 2 lies left of the point: 7 px is in "A" (6 < 7).
    const std::pair<int32_t, uint32_t> clicks[] = {{0, 0}, {6, 0}, {7, 1}, {14, 1}, {15, 2}, {31, 4}, {60, 4}};
    for (const auto& [x, index] : clicks) {
        Step({MoveTo(left + x, y), kPress});
        Step({kRelease});
        EXPECT_EQ(m_field->GetCursorIndex(), index) << x;
        EXPECT_EQ(m_field->GetAnchor(), index) << x;
    }
    Step({MoveTo(left + 8, y), kPress});
    Step({MoveTo(left + 24, y)});
    Step({kRelease});
    EXPECT_EQ(m_field->GetAnchor(), 1u);
    EXPECT_EQ(m_field->GetCursorIndex(), 3u);
}

} // namespace
