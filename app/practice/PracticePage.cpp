#include "app/practice/PracticePage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <utility>

#include "app/StrokeOrderView.h"
#include "app/practice/ProgressMap.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/gfx/KanaPicture.h"
#include "host/ui/Application.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/Forms.h"
#include "host/ui/Publisher.h"
#include "host/ui/ScrollBox.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "host/ui/Timer.h"
#include "host/voice/VoiceService.h"
#include "host/win/Timers.h"
#include "host/win/VirtualKeys.h"
#include "learn/DeckTables.h"
#include "learn/Scheduler.h"
#include "skin/controls/SUIButton.h"
#include "skin/controls/SUIEdit.h"

namespace {

constexpr int kLessonRows = 5;
constexpr int kLessonColumnWidth = 150;
constexpr int kLessonRowHeight = 26;
constexpr int kMissedCell = 104;

constexpr TColor kRightColor = 0xB27200; // Okabe–Ito blue
constexpr TColor kWrongColor = 0x005ED5; // Okabe–Ito vermilion

std::chrono::sys_seconds Now()
{
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

std::uint32_t FreshSeed()
{
    return std::random_device()();
}

// "1 分 05 秒", or "12 秒" under a minute.
std::string Duration(unsigned milliseconds)
{
    const unsigned seconds = (milliseconds + 500) / 1000;
    char text[48];
    if (seconds < 60)
        std::snprintf(text, sizeof text, "%u 秒", seconds);
    else
        std::snprintf(text, sizeof text, "%u 分 %02u 秒", seconds / 60, seconds % 60);
    return text;
}

int MapChart(std::string_view group)
{
    if (group == kVoicedGroup)
        return 1;
    if (group == kHalfVoicedGroup)
        return 2;
    if (group == kContractedGroup)
        return 3;
    return 0;
}

} // namespace

void TPracticePage::Publish(TPublisher<TPracticePage>& p)
{
    p.Method("SetupChanged", &TPracticePage::SetupChanged);
    p.Method("StartButtonClick", &TPracticePage::StartButtonClick);
    p.Method("MapButtonClick", &TPracticePage::MapButtonClick);
    p.Method("MapScriptChanged", &TPracticePage::MapScriptChanged);
    p.Method("SpeakButtonClick", &TPracticePage::SpeakButtonClick);
    p.Method("StrokesButtonClick", &TPracticePage::StrokesButtonClick);
    p.Method("SubmitButtonClick", &TPracticePage::SubmitButtonClick);
    p.Method("ChoiceButtonClick", &TPracticePage::ChoiceButtonClick);
    p.Method("NextButtonClick", &TPracticePage::NextButtonClick);
    p.Method("EndButtonClick", &TPracticePage::EndButtonClick);
    p.Method("PauseTimerTimer", &TPracticePage::PauseTimerTimer);
    p.Method("AgainButtonClick", &TPracticePage::AgainButtonClick);
    p.Method("BackButtonClick", &TPracticePage::BackButtonClick);
}

TPracticePage::TPracticePage(TComponent* owner)
    : TPanel(owner)
{
    ReadComponentRes("PRACTICE", this);
    BindComponents();
}

TPracticePage::~TPracticePage() = default;

void TPracticePage::BindComponents()
{
    auto bind = [this]<typename T>(T*& field, const std::string& name) {
        field = dynamic_cast<T*>(FindComponent(name));
        if (field == nullptr)
            throw EComponentError("Component " + name + " not found");
    };
    bind(SetupPanel, "SetupPanel");
    bind(ScriptHiragana, "ScriptHiragana");
    bind(ScriptKatakana, "ScriptKatakana");
    bind(ScriptMixed, "ScriptMixed");
    bind(ModeTyped, "ModeTyped");
    bind(ModeChoice, "ModeChoice");
    bind(Length20, "Length20");
    bind(Length50, "Length50");
    bind(LengthAll, "LengthAll");
    bind(LessonPanel, "LessonPanel");
    bind(StartButton, "StartButton");
    bind(MapButton, "MapButton");
    bind(QuestionPanel, "QuestionPanel");
    bind(CounterLabel, "CounterLabel");
    bind(QuestionImage, "QuestionImage");
    bind(FeedbackLabel, "FeedbackLabel");
    bind(AnswerLabel, "AnswerLabel");
    bind(AnswerEdit, "AnswerEdit");
    bind(SubmitButton, "SubmitButton");
    for (std::size_t i = 0; i < ChoiceButtons.size(); ++i)
        bind(ChoiceButtons[i], "Choice" + std::to_string(i + 1));
    bind(NextButton, "NextButton");
    bind(EndButton, "EndButton");
    bind(SpeakButton, "SpeakButton");
    bind(StrokesButton, "StrokesButton");
    bind(SpeechBox, "SpeechBox");
    bind(PauseTimer, "PauseTimer");
    bind(SummaryPanel, "SummaryPanel");
    bind(ScoreLabel, "ScoreLabel");
    bind(TimeLabel, "TimeLabel");
    bind(MeanLabel, "MeanLabel");
    bind(MissedBox, "MissedBox");
    bind(AgainButton, "AgainButton");
    bind(BackButton, "BackButton");
    bind(MapPanel, "MapPanel");
    bind(ProgressMap, "ProgressMap");
    bind(MapHiragana, "MapHiragana");
    bind(MapKatakana, "MapKatakana");
    bind(MapBackButton, "MapBackButton");
    // Digits choose while the focus is anywhere on a choice question's buttons.
    for (TsuiButton* button : { ChoiceButtons[0], ChoiceButtons[1], ChoiceButtons[2], ChoiceButtons[3], EndButton })
        button->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState) { ChoiceKey(Key); };
    for (TsuiButton* button : { NextButton, SpeakButton, StrokesButton })
        button->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState) { FeedbackKey(Key); };
    StrokesButton->SetEnabled(StrokeOrderFontInstalled());
}

void TPracticePage::FeedbackKey(std::uint16_t& Key)
{
    if (phase_ != TPracticePhase::Feedback)
        return;
    if (Key == 'S') {
        Key = 0;
        SpeakShown();
    } else if (Key == 'W' && StrokesButton->Enabled()) {
        Key = 0;
        StrokesButtonClick(StrokesButton);
    }
}

void TPracticePage::SpeakShown() const
{
    if (shown_ != nullptr && !shown_->Key.Text.empty())
        Voice().Speak(shown_->Key.Text);
}

void TPracticePage::SpeakButtonClick(TObject*)
{
    SpeakShown();
}

void TPracticePage::StrokesButtonClick(TObject*)
{
    if (shown_ != nullptr && !shown_->Key.Text.empty() && OnShowStrokes)
        OnShowStrokes(shown_->Key.Text);
}

void TPracticePage::ChoiceKey(std::uint16_t& Key)
{
    if (phase_ != TPracticePhase::Question || drill_->Mode() != TAnswerMode::Choice)
        return;
    const int digit = Key >= '1' && Key <= '9'      ? Key - '1'
        : Key > VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9 ? Key - VK_NUMPAD0 - 1
                                                    : -1;
    if (digit < 0 || static_cast<std::size_t>(digit) >= shownChoices_.size())
        return;
    Key = 0;
    Answer(shownChoices_[static_cast<std::size_t>(digit)]);
}

const TDrillKana* TPracticePage::Question() const
{
    const bool asking = phase_ == TPracticePhase::Question || phase_ == TPracticePhase::Feedback;
    return asking ? shown_ : nullptr;
}

const std::vector<std::string>& TPracticePage::Choices() const
{
    static const std::vector<std::string> none;
    const bool asking = phase_ == TPracticePhase::Question || phase_ == TPracticePhase::Feedback;
    return asking && drill_ ? shownChoices_ : none;
}

const std::string& TPracticePage::FeedbackText() const
{
    static const std::string none;
    return phase_ == TPracticePhase::Feedback ? feedback_ : none;
}

void TPracticePage::Entered()
{
    if (!settingsRead_) {
        settings_ = ReadPracticeSettings(PracticeSettingsPath());
        settingsRead_ = true;
    }
    OpenStore();
    if (phase_ == TPracticePhase::Question || phase_ == TPracticePhase::Feedback || phase_ == TPracticePhase::Summary) {
        ShowPhase(phase_);
        return;
    }
    ReadDeck();
}

void TPracticePage::OpenStore()
{
    if (storeOpened_)
        return;
    storeOpened_ = true;
    try {
        store_.Open(ProgressFilePath(), Now());
    } catch (const EProgressFileError& e) {
        boxes_ = store_.Boxes();
        Notice(e);
        return;
    }
    boxes_ = store_.Boxes();
}

void TPracticePage::ReadDeck()
{
    // The setup shows whatever could be read; a deck that cannot be read leaves every lesson
    // disabled, and its error is shown as the charts show theirs.
    std::exception_ptr failure;
    lessons_.clear();
    try {
        lessons_ = ReadLessons(*ConnectDriver(connectionString_));
    } catch (const Exception&) {
        failure = std::current_exception();
    }
    BuildLessonBoxes();
    ShowSettings();
    ShowPhase(TPracticePhase::Setup);
    if (failure)
        std::rethrow_exception(failure);
}

void TPracticePage::BuildLessonBoxes()
{
    std::vector<std::string> names = BasicLessons();
    for (std::string_view group : { kVoicedGroup, kHalfVoicedGroup, kContractedGroup })
        names.emplace_back(group);
    for (const TLesson& lesson : lessons_)
        if (std::find(names.begin(), names.end(), lesson.Name) == names.end())
            names.push_back(lesson.Name);
    if (names == lessonNames_)
        return;
    for (TsuiCheckBox* box : LessonBoxes)
        delete box;
    LessonBoxes.clear();
    lessonNames_ = names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* box = new TsuiCheckBox(this);
        box->SetParent(LessonPanel);
        box->SetUIStyle(MacOS);
        box->SetCaption(names[i]);
        box->SetBounds(8 + static_cast<int>(i) / kLessonRows * kLessonColumnWidth,
            8 + static_cast<int>(i) % kLessonRows * kLessonRowHeight, kLessonColumnWidth - 10, 21);
        box->SetTabStop(true);
        box->OnClick = [this](TObject* sender) { SetupChanged(sender); };
        LessonBoxes.push_back(box);
    }
}

void TPracticePage::ShowSettings()
{
    showingSettings_ = true;
    ScriptHiragana->SetChecked(settings_.Script == TPracticeScript::Hiragana);
    ScriptKatakana->SetChecked(settings_.Script == TPracticeScript::Katakana);
    ScriptMixed->SetChecked(settings_.Script == TPracticeScript::Mixed);
    ModeTyped->SetChecked(settings_.Mode == TAnswerMode::Typed);
    ModeChoice->SetChecked(settings_.Mode == TAnswerMode::Choice);
    Length20->SetChecked(settings_.Length == TRoundLength::Twenty);
    Length50->SetChecked(settings_.Length == TRoundLength::Fifty);
    LengthAll->SetChecked(settings_.Length == TRoundLength::All);
    SpeechBox->SetChecked(settings_.Speech);
    for (std::size_t i = 0; i < LessonBoxes.size(); ++i)
        LessonBoxes[i]->SetChecked(
            std::find(settings_.Lessons.begin(), settings_.Lessons.end(), lessonNames_[i]) != settings_.Lessons.end());
    showingSettings_ = false;
    UpdateSetup();
}

void TPracticePage::TakeSettings()
{
    TPracticeSettings taken = settings_;
    taken.Script = ScriptKatakana->Checked() ? TPracticeScript::Katakana
        : ScriptMixed->Checked()             ? TPracticeScript::Mixed
                                             : TPracticeScript::Hiragana;
    taken.Mode = ModeChoice->Checked() ? TAnswerMode::Choice : TAnswerMode::Typed;
    taken.Length = Length50->Checked() ? TRoundLength::Fifty : LengthAll->Checked() ? TRoundLength::All : TRoundLength::Twenty;
    taken.Speech = SpeechBox->Checked();
    taken.Lessons.clear();
    for (std::size_t i = 0; i < LessonBoxes.size(); ++i)
        if (LessonBoxes[i]->Checked())
            taken.Lessons.push_back(lessonNames_[i]);
    if (taken == settings_)
        return;
    settings_ = std::move(taken);
    try {
        WritePracticeSettings(PracticeSettingsPath(), settings_);
    } catch (const EPracticeSettingsError& e) {
        // Said once; the choices still hold for this run.
        if (!std::exchange(settingsNoticeShown_, true))
            Notice(e);
    }
}

bool TPracticePage::LessonMatches(const TLesson& lesson) const
{
    switch (settings_.Script) {
    case TPracticeScript::Hiragana:
        return lesson.Script == TKanaScript::Hiragana;
    case TPracticeScript::Katakana:
        return lesson.Script == TKanaScript::Katakana;
    case TPracticeScript::Mixed:
        return true;
    }
    return false;
}

void TPracticePage::UpdateSetup()
{
    bool any = false;
    for (std::size_t i = 0; i < LessonBoxes.size(); ++i) {
        const bool present = std::any_of(lessons_.begin(), lessons_.end(),
            [&](const TLesson& l) { return l.Name == lessonNames_[i] && LessonMatches(l) && !l.Kana.empty(); });
        LessonBoxes[i]->SetEnabled(present);
        any = any || (present && LessonBoxes[i]->Checked());
    }
    StartButton->SetEnabled(any);
}

void TPracticePage::SetupChanged(TObject*)
{
    if (showingSettings_)
        return;
    TakeSettings();
    UpdateSetup();
}

std::vector<TDrillKana> TPracticePage::DeckKana() const
{
    std::vector<TDrillKana> kana;
    for (const TLesson& lesson : lessons_)
        for (const TLessonKana& k : lesson.Kana)
            kana.push_back({ k.Table, k.Id, { k.Text.empty() ? k.Romaji : k.Text, lesson.Script }, k.Romaji, {} });
    return kana;
}

TPracticePage::TRoundPlan TPracticePage::PlanRound()
{
    TRoundPlan plan;
    for (std::size_t i = 0; i < LessonBoxes.size(); ++i) {
        if (!LessonBoxes[i]->Checked() || !LessonBoxes[i]->Enabled())
            continue;
        for (const TLesson& lesson : lessons_) {
            if (lesson.Name != lessonNames_[i] || !LessonMatches(lesson))
                continue;
            for (const TLessonKana& k : lesson.Kana)
                plan.Kana.push_back({ k.Table, k.Id, { k.Text.empty() ? k.Romaji : k.Text, lesson.Script }, k.Romaji, {} });
        }
    }
    std::vector<TKanaKey> keys;
    for (const TDrillKana& k : plan.Kana)
        keys.push_back(k.Key);
    const std::vector<std::size_t> order
        = DrawRound(keys, boxes_, Now(), QuestionCount(settings_.Length, keys.size()), FreshSeed());

    // Only the drawn kana need their pictures; one that does not decode is reported and left out.
    const std::unique_ptr<TDatabaseDriver> deck = ConnectDriver(connectionString_);
    std::map<std::string, std::map<std::int64_t, TBlob>> pictures;
    for (const char* table : { kBasicTable, kMoreTable }) {
        const std::optional<TResultSet> rows = ReadDeckTable(*deck, table);
        if (!rows)
            continue;
        const int id = rows->FindColumn("id");
        const int pic = rows->FindColumn("t_pic");
        for (int row = 0; row < rows->RecordCount() && id >= 0 && pic >= 0; ++row) {
            const auto* key = std::get_if<std::int64_t>(&rows->Value(row, id));
            const auto* blob = std::get_if<TBlob>(&rows->Value(row, pic));
            if (key && blob)
                pictures[table][*key] = *blob;
        }
    }
    for (std::size_t i : order) {
        TDrillKana& k = plan.Kana[i];
        try {
            LoadKanaPicture(pictures[k.Table][k.Id], k.Picture);
            plan.Order.push_back(i);
        } catch (const Exception&) {
            if (!plan.PictureError)
                plan.PictureError = std::current_exception();
        }
    }
    return plan;
}

void TPracticePage::StartButtonClick(TObject*)
{
    TakeSettings();
    plan_ = PlanRound();
    if (!plan_.Order.empty())
        StartRound(plan_);
    // Shown as the charts show theirs, once the round that leaves the kana out is under way.
    if (plan_.PictureError)
        std::rethrow_exception(std::exchange(plan_.PictureError, nullptr));
}

void TPracticePage::StartRound(const TRoundPlan& plan)
{
    drill_ = std::make_unique<TPracticeDrill>(plan.Kana, plan.Order, DeckKana(), settings_.Mode, FreshSeed());
    roundStartedAt_ = GetTickCount();
    ShowQuestion();
}

void TPracticePage::ShowQuestion()
{
    if (drill_->Finished()) {
        EndRound();
        return;
    }
    shown_ = &drill_->Current();
    shownChoices_ = drill_->Choices();
    feedback_.clear();
    QuestionImage->Picture().SetBitmap(shown_->Picture);
    CounterLabel->SetCaption(std::to_string(drill_->Number()) + " / " + std::to_string(drill_->Count()));
    FeedbackLabel->SetCaption("");
    AnswerLabel->SetCaption("");
    const bool typed = drill_->Mode() == TAnswerMode::Typed;
    AnswerEdit->SetVisible(typed);
    AnswerEdit->SetEnabled(true);
    AnswerEdit->SetText("");
    SubmitButton->SetVisible(typed);
    for (std::size_t i = 0; i < ChoiceButtons.size(); ++i) {
        const bool offered = !typed && i < shownChoices_.size();
        ChoiceButtons[i]->SetVisible(offered);
        ChoiceButtons[i]->SetEnabled(true);
        ChoiceButtons[i]->SetCaption(offered ? std::to_string(i + 1) + "  " + shownChoices_[i] : "");
    }
    NextButton->SetVisible(false);
    SpeakButton->SetVisible(false);
    StrokesButton->SetVisible(false);
    ShowPhase(TPracticePhase::Question);
    questionShownAt_ = GetTickCount();
}

void TPracticePage::Answer(const std::string& given)
{
    if (phase_ != TPracticePhase::Question)
        return;
    const int milliseconds = static_cast<int>(GetTickCount() - questionShownAt_);
    const TKanaKey key = shown_->Key;
    const bool right = drill_->Answer(given, milliseconds);
    const auto now = Now();
    const auto known = boxes_.find(key);
    const TBoxState box = NextBoxState(known == boxes_.end() ? nullptr : &known->second, right, now);
    boxes_[key] = box;

    feedback_ = right ? "正确" : "错误";
    FeedbackLabel->SetCaption(feedback_);
    FeedbackLabel->Font().SetColor(right ? kRightColor : kWrongColor);
    AnswerLabel->SetCaption(right ? "" : shown_->Romaji);
    AnswerEdit->SetEnabled(false);
    for (TsuiButton* b : ChoiceButtons)
        b->SetEnabled(false);
    SubmitButton->SetVisible(false);
    NextButton->SetVisible(true);
    SpeakButton->SetVisible(true);
    StrokesButton->SetVisible(true);
    ShowPhase(TPracticePhase::Feedback);
    if (settings_.Speech)
        SpeakShown();
    // A right choice goes on by itself after a moment; anything else waits for the learner.
    PauseTimer->SetEnabled(right && drill_->Mode() == TAnswerMode::Choice);

    try {
        store_.Record({ now, key, given, right, drill_->Mode(), milliseconds }, box);
    } catch (const EProgressFileError& e) {
        Notice(e);
    }
}

void TPracticePage::NextQuestion()
{
    PauseTimer->SetEnabled(false);
    if (phase_ == TPracticePhase::Feedback)
        ShowQuestion();
}

void TPracticePage::EndRound()
{
    PauseTimer->SetEnabled(false);
    roundTime_ = GetTickCount() - roundStartedAt_;
    ShowSummary();
}

void TPracticePage::ShowSummary()
{
    const std::size_t asked = drill_->Asked();
    const std::size_t percent = asked == 0 ? 0 : (drill_->Right() * 100 + asked / 2) / asked;
    ScoreLabel->SetCaption(
        "正确率：" + std::to_string(percent) + "%（" + std::to_string(drill_->Right()) + " / " + std::to_string(asked) + "）");
    TimeLabel->SetCaption("用时：" + Duration(roundTime_));
    char mean[32];
    std::snprintf(mean, sizeof mean, "%.1f 秒", asked == 0 ? 0.0 : drill_->AnswerMilliseconds() / 1000.0 / asked);
    MeanLabel->SetCaption(std::string("平均每题：") + mean);

    for (TControl* c : missedCells_)
        delete c;
    missedCells_.clear();
    const std::vector<const TDrillKana*> missed = drill_->Missed();
    for (std::size_t i = 0; i < missed.size(); ++i) {
        const int left = 8 + static_cast<int>(i) * kMissedCell - MissedBox->HorzScrollBar().Position();
        auto* image = new TImage(this);
        image->SetParent(MissedBox);
        image->SetBounds(left, 4, kMissedCell - 8, kMissedCell - 8);
        image->SetCenter(true);
        image->Picture().SetBitmap(missed[i]->Picture);
        auto* romaji = new TLabel(this);
        romaji->SetParent(MissedBox);
        romaji->SetAutoSize(false);
        romaji->SetBounds(left, kMissedCell - 2, kMissedCell - 8, 16);
        romaji->SetCaption(missed[i]->Romaji);
        missedCells_.push_back(image);
        missedCells_.push_back(romaji);
    }
    ShowPhase(TPracticePhase::Summary);
}

void TPracticePage::ShowMap()
{
    // The script practised, or for both scripts hiragana first; the switch shows the other.
    (settings_.Script == TPracticeScript::Katakana ? MapKatakana : MapHiragana)->SetChecked(true);
    FillMap();
    ShowPhase(TPracticePhase::Map);
}

void TPracticePage::FillMap()
{
    const TKanaScript script = MapKatakana->Checked() ? TKanaScript::Katakana : TKanaScript::Hiragana;
    std::vector<TMapKana> kana;
    for (const std::span<const TKana> table : { BasicKana(), MoreKana() })
        for (const TKana& k : table) {
            if (k.Script != script)
                continue;
            const auto known = boxes_.find({ std::string(k.Text), script });
            kana.push_back({ std::string(k.Text), MapChart(k.Group), k.X, k.Y, known == boxes_.end() ? 0 : known->second.Box });
        }
    const auto now = Now();
    ProgressMap->SetProgress(std::move(kana), store_.BoxCounts(script), store_.LastDays(now, LocalUtcOffset(now)));
}

void TPracticePage::ShowPhase(TPracticePhase phase)
{
    phase_ = phase;
    SetupPanel->SetVisible(phase == TPracticePhase::Setup);
    QuestionPanel->SetVisible(phase == TPracticePhase::Question || phase == TPracticePhase::Feedback);
    SummaryPanel->SetVisible(phase == TPracticePhase::Summary);
    MapPanel->SetVisible(phase == TPracticePhase::Map);
    TWinControl* focus = nullptr;
    switch (phase) {
    case TPracticePhase::Setup:
        focus = ScriptHiragana->Checked() ? ScriptHiragana : ScriptKatakana->Checked() ? ScriptKatakana : ScriptMixed;
        break;
    case TPracticePhase::Question:
        focus = drill_->Mode() == TAnswerMode::Typed ? static_cast<TWinControl*>(AnswerEdit) : ChoiceButtons[0];
        break;
    case TPracticePhase::Feedback:
        focus = NextButton;
        break;
    case TPracticePhase::Summary:
        focus = AgainButton;
        break;
    case TPracticePhase::Map:
        focus = MapBackButton;
        break;
    }
    if (focus->CanFocus())
        focus->SetFocus();
}

void TPracticePage::MapButtonClick(TObject*)
{
    ShowMap();
}

void TPracticePage::MapScriptChanged(TObject*)
{
    if (phase_ == TPracticePhase::Map)
        FillMap();
}

void TPracticePage::SubmitButtonClick(TObject*)
{
    Answer(AnswerEdit->Text());
}

void TPracticePage::ChoiceButtonClick(TObject* Sender)
{
    const auto at = std::find(ChoiceButtons.begin(), ChoiceButtons.end(), Sender);
    const auto index = static_cast<std::size_t>(at - ChoiceButtons.begin());
    if (index < shownChoices_.size())
        Answer(shownChoices_[index]);
}

void TPracticePage::NextButtonClick(TObject*)
{
    NextQuestion();
}

void TPracticePage::EndButtonClick(TObject*)
{
    EndRound();
}

void TPracticePage::PauseTimerTimer(TObject*)
{
    NextQuestion();
}

void TPracticePage::AgainButtonClick(TObject*)
{
    StartRound(plan_);
}

void TPracticePage::BackButtonClick(TObject*)
{
    ReadDeck();
}

bool TPracticePage::HasFocusInside() const
{
    const TCustomForm* form = GetParentForm();
    return form != nullptr && form->ActiveControl() != nullptr && ContainsControl(form->ActiveControl());
}

void TPracticePage::WndProc(TMessage& Message)
{
    const bool asking = phase_ == TPracticePhase::Question || phase_ == TPracticePhase::Feedback;
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        if (!HasFocusInside())
            break;
        if (Message.WParam == VK_ESCAPE && asking) {
            EndRound();
            Message.Result = 1;
            return;
        }
        if (Message.WParam == VK_ESCAPE && phase_ == TPracticePhase::Map) {
            ReadDeck();
            Message.Result = 1;
            return;
        }
        if (Message.WParam == VK_RETURN && phase_ == TPracticePhase::Feedback) {
            NextQuestion();
            Message.Result = 1;
            return;
        }
        if (Message.WParam == VK_RETURN && phase_ == TPracticePhase::Question && AnswerEdit->Focused()) {
            Answer(AnswerEdit->Text());
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TPanel::WndProc(Message);
}

void TPracticePage::Notice(const std::exception& e)
{
    if (Application != nullptr)
        Application->HandleException(e);
}

void RegisterPracticeClasses()
{
    RegisterClasses<TPracticePage, TProgressMap, TTimer, TImage, TLabel, TScrollBox>();
}
