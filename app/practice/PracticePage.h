#pragma once
#include <array>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/practice/PracticeDrill.h"
#include "host/ui/Panel.h"
#include "learn/Lessons.h"
#include "learn/PracticeSettings.h"
#include "learn/ProgressStore.h"

class TImage;
class TLabel;
class TScrollBox;
class TTimer;
class TProgressMap;
class TsuiButton;
class TsuiCheckBox;
class TsuiEdit;
class TsuiRadioButton;

enum class TPracticePhase { Setup, Question, Feedback, Summary, Map };

// The practice page: choose kana and a way to answer, answer a round of questions with
// feedback on each, see the round's summary and the progress of every kana. Built from the
// layout resource PRACTICE; reads the deck the connection string names, never writes it, and
// keeps progress and choices in the learner's own folders.
class TPracticePage : public TPanel {
    DECLARE_CLASS(TPracticePage, TPanel)

public:
    explicit TPracticePage(TComponent* owner);
    ~TPracticePage() override;

    void SetConnectionString(const std::string& value) { connectionString_ = value; }
    // The page was chosen: the setup shows the deck as it is now, unless a round is on.
    void Entered();

    TPracticePhase Phase() const { return phase_; }
    // The question shown (also while its feedback is), or none.
    const TDrillKana* Question() const;
    const TPracticeDrill* Drill() const { return drill_.get(); }
    const std::vector<std::string>& Choices() const;
    std::size_t Asked() const { return drill_ ? drill_->Asked() : 0; }
    std::size_t Right() const { return drill_ ? drill_->Right() : 0; }
    std::size_t Wrong() const { return drill_ ? drill_->Wrong() : 0; }
    const std::string& FeedbackText() const;
    const std::filesystem::path& ProgressFile() const { return store_.File(); }
    const TPracticeSettings& Settings() const { return settings_; }

    // The components of the layout.
    TPanel* SetupPanel = nullptr;
    TsuiRadioButton* ScriptHiragana = nullptr;
    TsuiRadioButton* ScriptKatakana = nullptr;
    TsuiRadioButton* ScriptMixed = nullptr;
    TsuiRadioButton* ModeTyped = nullptr;
    TsuiRadioButton* ModeChoice = nullptr;
    TsuiRadioButton* Length20 = nullptr;
    TsuiRadioButton* Length50 = nullptr;
    TsuiRadioButton* LengthAll = nullptr;
    TPanel* LessonPanel = nullptr;
    TsuiButton* StartButton = nullptr;
    TsuiButton* MapButton = nullptr;
    TPanel* QuestionPanel = nullptr;
    TLabel* CounterLabel = nullptr;
    TImage* QuestionImage = nullptr;
    TLabel* FeedbackLabel = nullptr;
    TLabel* AnswerLabel = nullptr;
    TsuiEdit* AnswerEdit = nullptr;
    TsuiButton* SubmitButton = nullptr;
    std::array<TsuiButton*, 4> ChoiceButtons {};
    TsuiButton* NextButton = nullptr;
    TsuiButton* EndButton = nullptr;
    TsuiButton* SpeakButton = nullptr;
    TsuiButton* StrokesButton = nullptr;
    TsuiCheckBox* SpeechBox = nullptr;
    TTimer* PauseTimer = nullptr;
    TPanel* SummaryPanel = nullptr;
    TLabel* ScoreLabel = nullptr;
    TLabel* TimeLabel = nullptr;
    TLabel* MeanLabel = nullptr;
    TScrollBox* MissedBox = nullptr;
    TsuiButton* AgainButton = nullptr;
    TsuiButton* BackButton = nullptr;
    TPanel* MapPanel = nullptr;
    TProgressMap* ProgressMap = nullptr;
    TsuiRadioButton* MapHiragana = nullptr;
    TsuiRadioButton* MapKatakana = nullptr;
    TsuiButton* MapBackButton = nullptr;
    // One check box per lesson name, in the order of LessonNames.
    std::vector<TsuiCheckBox*> LessonBoxes;

    // Handlers bound by the layout.
    void SetupChanged(TObject* Sender);
    void StartButtonClick(TObject* Sender);
    void MapButtonClick(TObject* Sender);
    void MapScriptChanged(TObject* Sender);
    void SubmitButtonClick(TObject* Sender);
    void ChoiceButtonClick(TObject* Sender);
    void NextButtonClick(TObject* Sender);
    void EndButtonClick(TObject* Sender);
    void PauseTimerTimer(TObject* Sender);
    void AgainButtonClick(TObject* Sender);
    void BackButtonClick(TObject* Sender);
    void SpeakButtonClick(TObject* Sender);
    void StrokesButtonClick(TObject* Sender);

    // Shows how a kana is written; the window that owns the stroke-order view sets it.
    std::function<void(const std::string& kana)> OnShowStrokes;

protected:
    void WndProc(TMessage& Message) override;

private:
    struct TRoundPlan {
        std::vector<TDrillKana> Kana;
        std::vector<std::size_t> Order;
        // The first picture that did not decode; its kana and any other such are left out.
        std::exception_ptr PictureError;
    };

    void BindComponents();
    // A digit key of a choice question chooses.
    void ChoiceKey(std::uint16_t& Key);
    // After an answer, S speaks the kana and W shows its strokes.
    void FeedbackKey(std::uint16_t& Key);
    void SpeakShown() const;
    void OpenStore();
    void ReadDeck();
    void BuildLessonBoxes();
    void ShowSettings();
    void TakeSettings();
    void UpdateSetup();
    bool LessonMatches(const TLesson& lesson) const;
    std::vector<TDrillKana> DeckKana() const;
    TRoundPlan PlanRound();
    void StartRound(const TRoundPlan& plan);
    void ShowQuestion();
    void Answer(const std::string& given);
    void NextQuestion();
    void EndRound();
    void ShowSummary();
    void ShowMap();
    void FillMap();
    void ShowPhase(TPracticePhase phase);
    // Whether the keyboard focus lies on this page, so that its keys are the page's to take.
    bool HasFocusInside() const;
    void Notice(const std::exception& e);

    std::string connectionString_;
    TPracticeSettings settings_;
    bool settingsRead_ = false;
    bool storeOpened_ = false;
    TProgressStore store_;
    TBoxStates boxes_;
    std::vector<TLesson> lessons_;
    std::vector<std::string> lessonNames_;
    TPracticePhase phase_ = TPracticePhase::Setup;
    std::unique_ptr<TPracticeDrill> drill_;
    TRoundPlan plan_;
    const TDrillKana* shown_ = nullptr;
    std::vector<std::string> shownChoices_;
    std::vector<TControl*> missedCells_;
    bool showingSettings_ = false;
    bool settingsNoticeShown_ = false;
    std::string feedback_;
    unsigned questionShownAt_ = 0;
    unsigned roundStartedAt_ = 0;
    unsigned roundTime_ = 0;
    bool lastRight_ = false;
};

// Registers every class the practice page's layout names.
void RegisterPracticeClasses();
