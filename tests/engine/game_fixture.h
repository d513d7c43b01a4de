// A machine just started and given its first New Game, with helpers that
// play it the way the window would: commands, then timer ticks.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "engine/round.h"
#include "settings/settings.h"
#include "tests/engine/recording_host.h"
#include "tests/engine/test_cards.h"

using Calls = std::vector<std::string>;

class GameTest : public ::testing::Test {
protected:
    EngineFixtureHost fixture;
    RecordingHost& host = fixture.host;
    RecordingShell& shell = fixture.shell;

    void SetUp() override {
        NewGame();
        host.Clear();
    }

    void InsertCoins(int n) {
        for (int i = 0; i < n; ++i) InsertCoin();
    }

    // Ticks until the cards being dealt are all up (the flash that may
    // follow is left running).
    int TurnUp() {
        int ticks = 0;
        while (gRound.dealing != 0 && ticks < 10) {
            TableTimerTick();
            ++ticks;
        }
        return ticks;
    }

    // Decides what the draw gives: the held slots are given the cards of
    // `hand` at their places, and every card but the rest of `hand` is
    // taken out of the deck, so the replacements can only be those.
    void RigDraw(const std::string& text) {
        std::array<Card, 5> hand = HandOf(text);
        for (DeckSlot& entry : gDeck) entry.dealt = 1;
        for (int i = 0; i < kSlotCount; ++i) {
            if (gSlots[i].held != 0) {
                gSlots[i].card = hand[i];
                std::memcpy(gSlots[i].name, gDeck[hand[i]].name, sizeof gSlots[i].name);
            } else {
                gDeck[hand[i]].dealt = 0;
            }
        }
    }

    // One whole round: coins in, deal, holds, draw to `finalHand`.
    void PlayRound(int coins, const std::vector<int>& holds, const std::string& finalHand) {
        InsertCoins(coins);
        DealOrDraw();
        TurnUp();
        for (int slot : holds) HoldCommand(slot);
        RigDraw(finalHand);
        DealOrDraw();
        TurnUp();
    }
};
