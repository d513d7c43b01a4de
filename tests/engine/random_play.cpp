#include "tests/engine/random_play.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/deck.h"
#include "engine/game_host.h"
#include "engine/round.h"
#include "presentation/message_flash.h"
#include "settings/settings.h"

namespace {

constexpr int kButtonCount = 8;
constexpr int kFlashTicks = kFlashInversions;
constexpr unsigned kFlashMs = kFlashIntervalMs;
constexpr int kMostCardsOfAGame = 10;
constexpr int kHistoryLength = 32;
// A box can open inside another box's loop (the bank box during a deal
// whose last tick busts the player); the bound keeps the nesting finite.
constexpr int kMostNestedBoxes = 3;

enum class TimerUse { Off, Deal, Flash };

enum Action {
    kTick, kStaleTick, kPostedDeal, kNew, kCoin, kMax, kDeal, kHold, kBank,
    kClearYes, kClearNo, kWildCards, kFastDeal, kSound, kOddSwitch, kKeepMatches, kActionCount
};

const char* const kActionNames[kActionCount] = {
    "tick", "stale tick", "posted Deal", "New Game", "Insert Coin", "Bet Max", "Deal", "Hold",
    "Hit the Bank", "Clear Yes", "Clear No", "WildCards", "FastDeal", "Sound", "odd switch",
    "hold matches"};

int32_t Flipped(int32_t flag) { return flag != 0 ? 0 : 1; }

// The window: timer 6 and its two uses, the posted Deal, the buttons; the
// message boxes run a modal loop that goes on ticking the timer and
// dispatching posted commands, as the real ones do.
class RandomPlay final : public GameHost {
public:
    RandomPlay(uint64_t seed, RandomPlayStart start) : state_(seed), start_(start) {}
    RandomPlayResult Run(uint64_t steps);

    void DrawCard(int slot) override {
        if (slot < 0 || slot >= kSlotCount) return Fail("DrawCard outside the five slots");
        shown_[slot] = gSlots[slot].card;
    }
    void DrawAllCards() override {
        for (int i = 0; i < kSlotCount; ++i) shown_[i] = gSlots[i].card;
    }
    void DrawMeters() override {}
    void ShowMessage(int) override {}
    void ShowMessageText(const char*) override {}

    void StartMessageFlash() override {
        if (timer_ != TimerUse::Off || gRound.dealing != 0) Fail("the flash started while timer 6 runs");
        flashCount_ = kFlashTicks;
        timer_ = TimerUse::Flash;
        timerMs_ = kFlashMs;
    }
    void StopMessageFlash() override {
        if (flashCount_ == 0) return;
        KillTimer();
        flashCount_ = 0;
    }
    bool IsMessageFlashing() override { return flashCount_ != 0; }
    void FlashMessageLine() override {
        if (flashCount_ <= 0) return;
        if (--flashCount_ == 0) KillTimer();
    }

    void EnableButton(TableButton button, bool enable) override {
        if (button < 0 || button >= kButtonCount) return Fail("EnableButton of no button");
        enabled_[button] = enable;
    }
    void SetButtonCaption(TableButton button, const char* caption) override {
        if (button < 0 || button >= kButtonCount) return Fail("SetButtonCaption of no button");
        captions_[button] = caption;
    }

    void StartTableTimer(unsigned intervalMs) override {
        if (timer_ != TimerUse::Off) Fail("timer 6 started twice without a kill");
        if (intervalMs != (gSettings.FastDeal != 0 ? 80u : 320u)) Fail("deal interval not from FastDeal");
        timer_ = TimerUse::Deal;
        timerMs_ = intervalMs;
    }
    void KillTableTimer() override { KillTimer(); }
    void UpdateMenus() override {}
    void PostDealCommand() override { ++postedDeals_; }

    void ShowBustedBox() override {
        if (gStats.credits != 0) Fail("busted box with credits left");
        ++bustedBoxes_;
        ++result_.busted;
        ModalLoop();
    }
    void ShowBankBox() override { ModalLoop(); }
    bool AskClearStatistics() override {
        bool answer = clearAnswer_;
        ModalLoop();
        return answer;
    }
    void ShowJackpotScreen() override {
        if (gRound.category < RoyalFlush || gRound.category > WildRoyalFlush)
            Fail("jackpot screen for a hand below the top three");
        ++result_.jackpots;
    }
    void PlaySoundEffect(const char* name) override {
        if (name == nullptr) Fail("sound without a name");
    }
    void PlayWaveSync(const char*) override {
        if (gSettings.Sound == 0) Fail("a sound played to its end with the sound off");
    }
    int64_t CurrentTimeSeconds() override { return 1000000000 + static_cast<int64_t>(clockMs_ / 1000); }

private:
    // splitmix64: the same sequence from the same seed on every compiler.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

    void KillTimer() {
        timer_ = TimerUse::Off;
        timerMs_ = 0;
    }

    void Fail(const char* what) {
        if (failure_.empty()) failure_ = what;
    }

    Action Pick();
    void Take(Action action, int slot);
    void Tick();
    void Deal();
    void NewGameCommand();
    void ClearCommand(bool answer);
    void KeepMatches();
    void ModalLoop();
    void Check();
    void CheckMoney();
    void CheckRound();
    void CheckCards();
    void CheckButtons();
    std::string Describe() const;

    uint64_t state_;
    RandomPlayStart start_;
    uint64_t clockMs_ = 0;

    TimerUse timer_ = TimerUse::Off;
    unsigned timerMs_ = 0;
    int flashCount_ = 0;
    int postedDeals_ = 0;
    Card shown_[kSlotCount] = {kNoCard, kNoCard, kNoCard, kNoCard, kNoCard};  // what the table shows
    bool enabled_[kButtonCount] = {true, true, true, true, true, true, true, true};
    const char* captions_[kButtonCount] = {"", "", "", "", "", "Coin", "Max", "Deal"};
    bool clearAnswer_ = true;
    int boxDepth_ = 0;

    // What the driver knows of the game so far.
    bool jokerAllowed_ = true;      // WildCards was on at some deal of this game
    uint64_t seenThisGame_ = 0;     // cards that have lain on the table this game
    int32_t carriedRound_ = 0;      // statistics were cleared with a round under way
    int32_t bustedBoxes_ = 0;       // since the last New Game or clearing

    std::string failure_;
    RandomPlayResult result_;
    struct Past {
        Action action;
        int slot;
    };
    Past history_[kHistoryLength] = {};
    uint64_t taken_ = 0;
};

Action RandomPlay::Pick() {
    int weights[kActionCount] = {};
    weights[kTick] = timer_ != TimerUse::Off ? 40 : 0;
    weights[kStaleTick] = 1;
    weights[kPostedDeal] = postedDeals_ > 0 ? 3 : 0;
    // The long session keeps its counters: no New Game, no clearing.
    weights[kNew] = start_ == RandomPlayStart::NewGame ? 3 : 0;
    weights[kCoin] = 12;
    weights[kMax] = 4;
    weights[kDeal] = 10;
    weights[kHold] = 14;
    weights[kBank] = 2;
    weights[kClearYes] = start_ == RandomPlayStart::NewGame ? 1 : 0;
    weights[kClearNo] = 1;
    weights[kWildCards] = 2;
    weights[kFastDeal] = 1;
    weights[kSound] = 1;
    weights[kOddSwitch] = 1;
    weights[kKeepMatches] = 6;
    int total = 0;
    for (int w : weights) total += w;
    int pick = Below(total);
    for (int a = 0; a < kActionCount; ++a) {
        if (pick < weights[a]) return static_cast<Action>(a);
        pick -= weights[a];
    }
    return kStaleTick;
}

void RandomPlay::Tick() {
    clockMs_ += timerMs_ != 0 ? timerMs_ : 10;
    if (boxDepth_ > 0) ++result_.ticksInBoxes;
    const bool drawing = gRound.phase == Drawn && gRound.dealing != 0;
    TableTimerTick();
    if (!drawing || gRound.phase != Betting) return;
    ++result_.rounds;
    if (gRound.category != Nothing) ++result_.wins;
    for (const TableSlot& slot : gSlots) {
        if (slot.card == kJoker) ++result_.jokerHands;
    }
}

// Every Deal command, from the button or posted, comes through here so the
// driver can follow the game's cards.
void RandomPlay::Deal() {
    const RoundPhase phase = gRound.phase;
    const bool wild = gSettings.WildCards != 0;
    Card before[kSlotCount];
    for (int i = 0; i < kSlotCount; ++i) before[i] = gSlots[i].card;
    const int32_t wasDealing = gRound.dealing;
    DealOrDraw();
    if (wasDealing != 0 || gRound.dealing == 0) return;     // refused
    if (phase == Betting) {
        jokerAllowed_ = wild;
        seenThisGame_ = 0;
    } else {
        jokerAllowed_ = jokerAllowed_ || wild;
        for (int i = 0; i < kSlotCount; ++i) {
            const Card card = gSlots[i].card;
            if (gSlots[i].held != 0) {
                if (card != before[i]) Fail("a held card changed at the draw");
            } else if (card >= 0 && card < kDeckSize && (seenThisGame_ >> card & 1) != 0) {
                Fail("a card already seen this game came back at the draw");
            }
        }
    }
    for (const TableSlot& slot : gSlots) {
        if (slot.card >= 0 && slot.card < kDeckSize) seenThisGame_ |= 1ull << slot.card;
    }
}

void RandomPlay::NewGameCommand() {
    const bool accepted = gRound.phase == Betting && gRound.dealing == 0 && flashCount_ == 0;
    NewGame();
    if (!accepted) return;
    carriedRound_ = 0;
    bustedBoxes_ = 0;
}

void RandomPlay::ClearCommand(bool answer) {
    clearAnswer_ = answer;
    ClearStatistics();
    if (!answer) return;
    // The round under way goes on after the clearing and is counted then.
    carriedRound_ = gRound.phase != Betting ? 1 : 0;
    bustedBoxes_ = 0;
}

// Holds as a player would, so that the better hands come up too: the joker,
// every card whose rank is there twice or more, or four cards of one suit.
void RandomPlay::KeepMatches() {
    int ranks[14] = {};
    int suits[5] = {};
    for (const TableSlot& slot : gSlots) {
        if (slot.card < 0 || slot.card >= kJoker) continue;
        ++ranks[CardRank(slot.card)];
        ++suits[CardSuit(slot.card)];
    }
    int flushSuit = -1;
    for (int suit = 0; suit < 4; ++suit) {
        if (suits[suit] >= 4) flushSuit = suit;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        const Card card = gSlots[i].card;
        bool keep = card == kJoker;
        if (card >= 0 && card < kJoker)
            keep = flushSuit >= 0 ? CardSuit(card) == flushSuit : ranks[CardRank(card)] >= 2;
        if (keep != (gSlots[i].held != 0)) HoldCommand(i);
    }
}

// While a box is open its own loop still delivers timer 6 and posted
// commands to the main window; input goes to the box.
void RandomPlay::ModalLoop() {
    if (boxDepth_ >= kMostNestedBoxes) return;
    ++boxDepth_;
    for (int events = Below(8); events > 0; --events) {
        if (timer_ != TimerUse::Off && Below(5) != 0) {
            Tick();
        } else if (postedDeals_ > 0) {
            --postedDeals_;
            Deal();
        }
    }
    --boxDepth_;
}

void RandomPlay::Take(Action action, int slot) {
    if (action != kTick && action != kStaleTick) clockMs_ += static_cast<uint64_t>(Below(1500));
    switch (action) {
    case kTick:
    case kStaleTick: Tick(); break;
    case kPostedDeal:
        --postedDeals_;
        Deal();
        break;
    case kNew: NewGameCommand(); break;
    case kCoin: InsertCoin(); break;
    case kMax:
        BetMaxCoins();
        // The loop mostly takes the posted Deal next; left waiting, it may
        // arrive at any later moment, also inside a box.
        if (postedDeals_ > 0 && Below(4) != 0) {
            --postedDeals_;
            Deal();
        }
        break;
    case kDeal: Deal(); break;
    case kHold: HoldCommand(slot); break;
    case kKeepMatches: KeepMatches(); break;
    case kBank: HitTheBank(); break;
    case kClearYes: ClearCommand(true); break;
    case kClearNo: ClearCommand(false); break;
    // The menu toggles and the Options dialog's check box.
    case kWildCards: gSettings.WildCards = Flipped(gSettings.WildCards); break;
    case kFastDeal: gSettings.FastDeal = Flipped(gSettings.FastDeal); break;
    case kSound: gSettings.Sound = Flipped(gSettings.Sound); break;
    // A hand-edited file may hold any number in a switch.
    case kOddSwitch: {
        static const int32_t kOdd[] = {-1, 2, 7, 2147483647};
        int32_t value = kOdd[Below(4)];
        int32_t* fields[] = {&gSettings.WildCards, &gSettings.FastDeal, &gSettings.Sound};
        *fields[Below(3)] = value;
        break;
    }
    case kActionCount: break;
    }
}

void RandomPlay::CheckMoney() {
    const GameStats& s = gStats;
    if (s.credits < 0) Fail("credits below 0");
    if (gRound.coinsIn < 0 || gRound.coinsIn > kMaxCoins) Fail("coinsIn outside 0..5");
    if (gRound.coinsIn > s.coinsPlayed) Fail("more coins in than played since the last clearing");
    if (static_cast<int64_t>(s.credits) !=
        static_cast<int64_t>(s.bankTotal) - s.coinsPlayed + s.coinsWon)
        Fail("the machine made or lost money: credits != bankTotal - coinsPlayed + coinsWon");
    if (s.bankTotal < 0 || s.coinsPlayed < 0 || s.coinsWon < 0 || s.gamesPlayed < 0 || s.timesBusted < 0)
        Fail("a counter below 0");
    if (s.handsWon[Nothing] != 0) Fail("a hand of nothing counted as won");
    int64_t won = 0;
    for (int32_t count : s.handsWon) {
        if (count < 0) Fail("a hand counter below 0");
        won += count;
    }
    if (won > s.gamesPlayed + carriedRound_) Fail("more hands won than games played");
    if (s.gamesPlayed > s.coinsPlayed) Fail("more games played than coins");
    if (s.timesBusted > s.gamesPlayed + carriedRound_) Fail("more busts than games played");
    if (s.timesBusted != bustedBoxes_) Fail("timesBusted differs from the busted boxes shown");
}

void RandomPlay::CheckRound() {
    const RoundState& r = gRound;
    if (r.phase < Betting || r.phase > Drawn) return Fail("phase outside Betting..Drawn");
    if (r.dealing != 0 && r.dealing != 1) Fail("dealing neither 0 nor 1");
    if (r.dealStep < 0 || r.dealStep > kSlotCount) Fail("dealStep outside 0..5");
    if (r.dealing != 0 && r.phase == Betting) Fail("dealing between games");
    if (r.dealing == 0 && r.phase == Drawn) Fail("phase Drawn with no deal running");
    if (r.dealing != 0 && r.dealStep >= kSlotCount) Fail("dealing with the deal complete");
    if ((r.dealing != 0) != (timer_ == TimerUse::Deal)) Fail("dealing flag and deal timer disagree");
    if ((flashCount_ != 0) != (timer_ == TimerUse::Flash)) Fail("flash count and flash timer disagree");
    if (flashCount_ != 0 && (r.dealing != 0 || r.phase != Betting)) Fail("the flash runs during a round");
}

void RandomPlay::CheckCards() {
    uint64_t onTable = 0;
    int cards = 0;
    for (const TableSlot& slot : gSlots) {
        if (slot.card == kNoCard) continue;
        if (slot.card < 0 || slot.card >= kDeckSize) return Fail("a slot holds no valid card");
        if ((onTable >> slot.card & 1) != 0) Fail("one card on two slots");
        onTable |= 1ull << slot.card;
        ++cards;
        if (gDeck[slot.card].dealt == 0) Fail("a card on the table not marked dealt");
        if (std::strncmp(slot.name, gDeck[slot.card].name, sizeof slot.name) != 0)
            Fail("a slot's name differs from its card's");
    }
    const bool inRound = gRound.phase != Betting || gRound.dealing != 0;
    if (inRound && cards != kSlotCount) Fail("a slot without a card during a round");
    if (!inRound && cards != 0 && cards != kSlotCount) Fail("part of a hand on the table between games");
    // The first coin of a game turns the last hand down, so coins in beside
    // a face-up hand were left over from a game already paid.
    if (!inRound && cards != 0 && gRound.coinsIn != 0) Fail("coins in beside the last game's hand");
    int dealt = 0;
    for (const DeckSlot& entry : gDeck) dealt += entry.dealt != 0 ? 1 : 0;
    if (dealt > kMostCardsOfAGame) Fail("more than ten cards out of the deck");
    if (gRound.phase == Dealt && dealt != kSlotCount) Fail("other than five cards out after the first deal");
    // The window shows every card as it lies, except that a deal shows the
    // cards it has not yet turned up as backs.
    for (int i = 0; i < kSlotCount; ++i) {
        const bool hidden = gRound.dealing != 0 && i >= gRound.dealStep && gSlots[i].held == 0;
        if (shown_[i] != (hidden ? kNoCard : gSlots[i].card))
            Fail("the table shows another card than lies there");
    }
    if ((gDeck[kJoker].dealt != 0 || (onTable >> kJoker & 1) != 0) && !jokerAllowed_)
        Fail("the joker came out while WildCards was off for the whole game");
}

void RandomPlay::CheckButtons() {
    const bool holdPhase = InHoldPhase();
    bool allHeld = true;
    for (int i = 0; i < kSlotCount; ++i) {
        if (enabled_[HoldButton0 + i] != holdPhase) Fail("hold button enabled other than in the hold phase");
        if (gSlots[i].held == 0) allHeld = false;
        if (gRound.phase != Betting &&
            std::strcmp(captions_[HoldButton0 + i], gSlots[i].held != 0 ? "HOLD" : "") != 0)
            Fail("hold caption differs from the hold");
        if (gRound.phase == Betting && captions_[HoldButton0 + i][0] != '\0')
            Fail("HOLD caption between games");
    }
    if (gRound.dealing != 0 && (enabled_[DealButton] || enabled_[CoinButton] || enabled_[MaxButton]))
        Fail("a top button enabled during a deal");
    if (holdPhase && (!enabled_[DealButton] || enabled_[CoinButton] || enabled_[MaxButton]))
        Fail("top buttons wrong in the hold phase");
    if (gRound.coinsIn == kMaxCoins && (enabled_[CoinButton] || enabled_[MaxButton]))
        Fail("Coin or Max enabled with five coins in");
    const char* deal = captions_[DealButton];
    const bool beforeCardsUp = gRound.phase == Betting || (gRound.phase == Dealt && gRound.dealing != 0);
    if (beforeCardsUp && std::strcmp(deal, "Deal") != 0)
        Fail("Deal button not reading Deal before the cards are up");
    if ((holdPhase || gRound.phase == Drawn) && std::strcmp(deal, allHeld ? "Stand" : "Hit") != 0)
        Fail("Deal button not reading Hit or Stand in the hold phase");
}

void RandomPlay::Check() {
    CheckMoney();
    CheckRound();
    CheckCards();
    CheckButtons();
}

std::string RandomPlay::Describe() const {
    char text[512];
    std::snprintf(text, sizeof text,
                  "phase %d dealing %d dealStep %d coinsIn %d | credits %d bankTotal %d coinsPlayed %d "
                  "coinsWon %d gamesPlayed %d timesBusted %d | cards %d %d %d %d %d held %d%d%d%d%d | "
                  "timer %d ms flash %d posted %d | WildCards %d FastDeal %d Sound %d",
                  gRound.phase, gRound.dealing, gRound.dealStep, gRound.coinsIn, gStats.credits,
                  gStats.bankTotal, gStats.coinsPlayed, gStats.coinsWon, gStats.gamesPlayed,
                  gStats.timesBusted, gSlots[0].card, gSlots[1].card, gSlots[2].card, gSlots[3].card,
                  gSlots[4].card, gSlots[0].held, gSlots[1].held, gSlots[2].held, gSlots[3].held,
                  gSlots[4].held, timerMs_, flashCount_, postedDeals_, gSettings.WildCards,
                  gSettings.FastDeal, gSettings.Sound);
    return text;
}

RandomPlayResult RandomPlay::Run(uint64_t steps) {
    // The program as start-up leaves it, with the New Game it posts.
    ResetProgramState();
    BuildDeck();
    ClearTable();
    SetGameHost(this);
    NewGameCommand();
    if (start_ == RandomPlayStart::NearTheLimits) {
        // What NewGame and 26,843,500 bank hits leave, after about two
        // thousand million coins played and as many won back.
        gStats.bankTotal = 40 + 80 * 26843500;
        gStats.coinsPlayed = gStats.bankTotal - 40;
        gStats.coinsWon = gStats.coinsPlayed - 1000;
        gStats.credits = gStats.bankTotal - gStats.coinsPlayed + gStats.coinsWon;
        gStats.gamesPlayed = gStats.coinsPlayed / 3;
        gStats.handsWon[TwoPair] = gStats.gamesPlayed / 8;
        gStats.timesBusted = 0;
    }
    Check();

    RandomPlayResult& result = result_;
    while (result.steps < steps && failure_.empty()) {
        Action action = Pick();
        int slot = action == kHold ? Below(kSlotCount) : 0;
        history_[taken_ % kHistoryLength] = {action, slot};
        ++taken_;
        Take(action, slot);
        Check();
        ++result.steps;
        const int32_t seen[] = {gStats.credits, gStats.coinsPlayed, gRound.coinsIn, gRound.phase,
                                gRound.dealing, gSlots[0].card, gSlots[1].card, gSlots[2].card,
                                gSlots[3].card, gSlots[4].card};
        for (int32_t value : seen)
            result.fingerprint = (result.fingerprint ^ static_cast<uint32_t>(value)) * 0x100000001B3ull;
    }
    if (!failure_.empty()) {
        result.failure = failure_ + " | " + Describe();
        uint64_t first = taken_ > kHistoryLength ? taken_ - kHistoryLength : 0;
        for (uint64_t i = first; i < taken_; ++i) {
            const Past& past = history_[i % kHistoryLength];
            result.lastSteps += std::to_string(i + 1) + ":" + kActionNames[past.action];
            if (past.action == kHold) result.lastSteps += std::to_string(past.slot);
            result.lastSteps += i + 1 < taken_ ? ", " : "";
        }
    }
    result.endStats = gStats;
    SetGameHost(nullptr);
    ResetProgramState();
    return result;
}

}  // namespace

RandomPlayResult RunRandomPlay(uint64_t seed, uint64_t steps, RandomPlayStart start) {
    RandomPlay play(seed, start);
    return play.Run(steps);
}

uint64_t RandomPlaySeed() {
    if (const char* text = std::getenv("QUORVEL_SEED")) {
        if (*text != '\0') return std::strtoull(text, nullptr, 0);
    }
    return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
           static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) * 31u;
}
