// The sound effects.  There is no sound device in the tests' Wine prefix, so
// the test records the calls the program makes (by redirecting its own
// imports of sndPlaySoundA, LoadResource, FreeResource and GlobalFree) and
// checks those and the held handle, not what would be heard (the end-to-end
// sound test records that).
#include <windows.h>

#include <mmsystem.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "presentation/win32/sound.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "tests/win32/harness.h"

namespace {

struct Wave {
    const char* askedFor;
    const char* storedAs;
    DWORD rate;
    int tenthsOfMs;  // length in 0.1 ms
};

const Wave kWaves[] = {
    {"Deal", "DEAL", 11025, 200},           {"CardDrop", "CARDDROP", 22050, 1300},
    {"HoldCard", "HOLDCARD", 11025, 900},   {"NoHold", "NOHOLD", 11025, 500},
    {"CoinDrop", "COINDROP", 22050, 3700},  {"Payout", "PAYOUT", 22050, 5600},
    {"Bank", "BANK", 11025, 11200},         {"BigJackpot", "BIGJACKPOT", 22000, 20900},
};

using PlayFn = BOOL(WINAPI*)(LPCSTR, UINT);
using LoadFn = HGLOBAL(WINAPI*)(HMODULE, HRSRC);
using FreeFn = BOOL(WINAPI*)(HGLOBAL);
using GlobalFreeFn = HGLOBAL(WINAPI*)(HGLOBAL);

PlayFn gRealPlay = nullptr;
LoadFn gRealLoad = nullptr;
FreeFn gRealFree = nullptr;
GlobalFreeFn gRealGlobalFree = nullptr;
std::map<const void*, std::string> gNames;     // loaded wave handle -> stored name
std::map<std::string, std::vector<BYTE>> gWide;  // stored name + "/16" -> 16-bit wave
std::vector<std::string> gCalls;

// The same wave with each 8-bit sample v as the 16-bit sample (v - 128) * 256.
std::vector<BYTE> WideWave(const BYTE* wave, DWORD size) {
    DWORD rate = 0, samples = 0;
    const BYTE* data = nullptr;
    std::memcpy(&rate, wave + 24, 4);
    for (DWORD at = 12; at + 8 <= size;) {
        DWORD chunk;
        std::memcpy(&chunk, wave + at + 4, 4);
        if (std::memcmp(wave + at, "data", 4) == 0) {
            samples = chunk;
            data = wave + at + 8;
        }
        at += 8 + chunk + (chunk & 1);
    }
    std::vector<BYTE> wide(44 + 2 * samples);
    auto put = [&wide](int at, DWORD value, int bytes) { std::memcpy(&wide[at], &value, bytes); };
    std::memcpy(&wide[0], "RIFF", 4);
    put(4, 36 + 2 * samples, 4);
    std::memcpy(&wide[8], "WAVEfmt ", 8);
    put(16, 16, 4);
    put(20, WAVE_FORMAT_PCM, 2);
    put(22, 1, 2);              // mono
    put(24, rate, 4);
    put(28, 2 * rate, 4);       // bytes per second
    put(32, 2, 2);              // block
    put(34, 16, 2);             // bits
    std::memcpy(&wide[36], "data", 4);
    put(40, 2 * samples, 4);
    for (DWORD i = 0; i < samples; ++i) {
        const short sample = static_cast<short>((data[i] - 128) * 256);
        std::memcpy(&wide[44 + 2 * i], &sample, 2);
    }
    return wide;
}

std::string NameOf(const void* handle) {
    if (!handle) return "null";
    auto found = gNames.find(handle);
    if (found != gNames.end()) return found->second;
    for (const auto& wide : gWide)
        if (std::memcmp(handle, "RIFF", 4) == 0 &&
            std::memcmp(handle, wide.second.data(), wide.second.size()) == 0)
            return wide.first;
    return "?";
}

BOOL WINAPI RecordPlay(LPCSTR sound, UINT flags) {
    gCalls.push_back("play " + NameOf(sound) + " " + std::to_string(flags));
    return gRealPlay(sound, flags);
}

HGLOBAL WINAPI RecordLoad(HMODULE module, HRSRC resource) {
    HGLOBAL loaded = gRealLoad(module, resource);
    gCalls.push_back("load " + NameOf(loaded));
    return loaded;
}

BOOL WINAPI RecordFree(HGLOBAL handle) {
    gCalls.push_back("free " + NameOf(handle));
    return gRealFree(handle);
}

// Only the wave copies are of interest among the global blocks freed.
HGLOBAL WINAPI RecordGlobalFree(HGLOBAL block) {
    const std::string name = block ? NameOf(block) : "?";
    if (name != "?") gCalls.push_back("free " + name);
    return gRealGlobalFree(block);
}

// Points this program's import of `function` from `dll` at `replacement`;
// returns what it pointed at before, or null when there is no such import.
void* RedirectImport(const char* dll, const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), dll) != 0) continue;
        if (!import->OriginalFirstThunk) continue;
        auto names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
            DWORD protect;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protect);
            void* before = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protect, &protect);
            return before;
        }
    }
    return nullptr;
}

HGLOBAL HandleOf(const char* name) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, name, "WAVE");
    if (!found) return nullptr;
    return gRealLoad ? gRealLoad(self, found) : LoadResource(self, found);
}

using Calls = std::vector<std::string>;

class SoundTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        gShell.instance = GetModuleHandleA(nullptr);
        for (const Wave& w : kWaves) {
            HGLOBAL h = HandleOf(w.storedAs);
            if (!h) continue;
            gNames[h] = w.storedAs;
            HRSRC found = FindResourceA(gShell.instance, w.storedAs, "WAVE");
            gWide[std::string(w.storedAs) + "/16"] =
                WideWave(static_cast<const BYTE*>(LockResource(h)),
                         SizeofResource(gShell.instance, found));
        }
        gRealPlay = reinterpret_cast<PlayFn>(
            RedirectImport("winmm.dll", "sndPlaySoundA", reinterpret_cast<void*>(RecordPlay)));
        gRealLoad = reinterpret_cast<LoadFn>(
            RedirectImport("kernel32.dll", "LoadResource", reinterpret_cast<void*>(RecordLoad)));
        gRealFree = reinterpret_cast<FreeFn>(
            RedirectImport("kernel32.dll", "FreeResource", reinterpret_cast<void*>(RecordFree)));
        gRealGlobalFree = reinterpret_cast<GlobalFreeFn>(
            RedirectImport("kernel32.dll", "GlobalFree", reinterpret_cast<void*>(RecordGlobalFree)));
    }

    static void TearDownTestSuite() {
        if (gRealPlay) RedirectImport("winmm.dll", "sndPlaySoundA", reinterpret_cast<void*>(gRealPlay));
        if (gRealLoad) RedirectImport("kernel32.dll", "LoadResource", reinterpret_cast<void*>(gRealLoad));
        if (gRealFree) RedirectImport("kernel32.dll", "FreeResource", reinterpret_cast<void*>(gRealFree));
        if (gRealGlobalFree)
            RedirectImport("kernel32.dll", "GlobalFree", reinterpret_cast<void*>(gRealGlobalFree));
    }

    void SetUp() override {
        ASSERT_TRUE(gRealPlay && gRealLoad && gRealFree && gRealGlobalFree) << "imports not found";
        HeldSound = nullptr;
        WaveCopies = 0;     // the resource memory itself, as on Windows
        gSettings.Sound = 1;
        gCalls.clear();
    }

    void TearDown() override {
        if (HeldSound) StopWave(HeldSound);
        HeldSound = nullptr;
    }

    // The calls made so far, and a fresh start for the next step.
    static Calls Taken() {
        Calls taken;
        taken.swap(gCalls);
        return taken;
    }
};

TEST_F(SoundTest, EveryEffectIsAPlayableWaveResource) {
    for (const Wave& w : kWaves) {
        SCOPED_TRACE(w.askedFor);
        HRSRC found = FindResourceA(gShell.instance, w.askedFor, "WAVE");
        ASSERT_NE(found, nullptr);
        ASSERT_EQ(found, FindResourceA(gShell.instance, w.storedAs, "WAVE"));
        const BYTE* data = static_cast<const BYTE*>(LockResource(gRealLoad(gShell.instance, found)));
        const DWORD size = SizeofResource(gShell.instance, found);
        ASSERT_GE(size, 44u);
        EXPECT_EQ(std::memcmp(data, "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(data + 8, "WAVEfmt ", 8), 0);
        WORD format = 0, channels = 0, bits = 0;
        DWORD rate = 1, riffSize = 0;
        std::memcpy(&riffSize, data + 4, 4);
        std::memcpy(&format, data + 20, 2);
        std::memcpy(&channels, data + 22, 2);
        std::memcpy(&rate, data + 24, 4);
        std::memcpy(&bits, data + 34, 2);
        EXPECT_LE(riffSize + 8, size);
        EXPECT_EQ(format, WAVE_FORMAT_PCM);
        EXPECT_EQ(channels, 1);
        EXPECT_EQ(bits, 8);
        EXPECT_EQ(rate, w.rate);
        // One byte per sample: the data length gives the duration.
        DWORD samples = 0;
        for (DWORD at = 12; at + 8 <= size;) {
            DWORD chunk;
            std::memcpy(&chunk, data + at + 4, 4);
            if (std::memcmp(data + at, "data", 4) == 0) samples = chunk;
            at += 8 + chunk + (chunk & 1);
        }
        const long tenths = static_cast<long>(samples) * 10000L / static_cast<long>(rate);
        EXPECT_NEAR(tenths, w.tenthsOfMs, 100) << "length in 0.1 ms";
    }
}

TEST_F(SoundTest, EffectIsHeldUntilTheNextCutsItOff) {
    PlaySoundEffect("HoldCard");
    EXPECT_EQ(Taken(), (Calls{"load HOLDCARD", "play HOLDCARD 7"}));
    EXPECT_EQ(HeldSound, HandleOf("HOLDCARD"));

    // The first wave is stopped and freed before the second is loaded.
    PlaySoundEffect("NoHold");
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free HOLDCARD", "load NOHOLD", "play NOHOLD 7"}));
    EXPECT_EQ(HeldSound, HandleOf("NOHOLD"));

    PlaySoundEffect("CardDrop");
    PlaySoundEffect("CardDrop");
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free NOHOLD", "load CARDDROP", "play CARDDROP 7",
                              "play null 6", "free CARDDROP", "load CARDDROP",
                              "play CARDDROP 7"}));
    EXPECT_EQ(HeldSound, HandleOf("CARDDROP"));
}

TEST_F(SoundTest, MissingWaveStillCutsOffTheHeldOneAndHoldsNothing) {
    PlaySoundEffect("Payout");
    Taken();
    PlaySoundEffect("NoSuchWave");
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free PAYOUT"}));
    EXPECT_EQ(HeldSound, nullptr);

    PlaySoundEffect("NoSuchWave");      // nothing held: nothing to stop
    EXPECT_EQ(Taken(), Calls{});
    EXPECT_EQ(HeldSound, nullptr);

    EXPECT_EQ(PlayWaveAsync(gShell.instance, "NoSuchWave"), nullptr);
    PlayWaveSync(gShell.instance, "NoSuchWave");
    EXPECT_EQ(Taken(), Calls{});
}

TEST_F(SoundTest, WithSoundOffNothingPlaysAndTheHeldWaveStays) {
    PlaySoundEffect("Deal");
    Taken();
    gSettings.Sound = 0;
    for (const Wave& w : kWaves) PlaySoundEffect(w.askedFor);
    EXPECT_EQ(Taken(), Calls{});
    EXPECT_EQ(HeldSound, HandleOf("DEAL"));

    // Any non-zero value means on.
    gSettings.Sound = 2;
    PlaySoundEffect("Bank");
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free DEAL", "load BANK", "play BANK 7"}));
}

TEST_F(SoundTest, SyncPlayRunsToItsEndAndLeavesTheHeldWaveAlone) {
    PlaySoundEffect("CardDrop");
    Taken();
    gSettings.Sound = 0;    // callers decide; the play itself does not look
    DWORD start = GetTickCount();
    PlayWaveSync(gShell.instance, "CoinDrop");
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(Taken(), (Calls{"load COINDROP", "play COINDROP 6", "free COINDROP"}));
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(HeldSound, HandleOf("CARDDROP"));

    // Five coins in a row, one after another.
    for (int coin = 0; coin < 5; ++coin) PlayWaveSync(gShell.instance, "CoinDrop");
    Calls coins = Taken();
    ASSERT_EQ(coins.size(), 15u);
    for (int coin = 0; coin < 5; ++coin)
        EXPECT_EQ(coins[coin * 3 + 1], "play COINDROP 6") << coin;
}

TEST_F(SoundTest, AsyncPlayAndStopAreSingleCalls) {
    HGLOBAL held = PlayWaveAsync(gShell.instance, "BigJackpot");
    EXPECT_EQ(held, HandleOf("BIGJACKPOT"));
    EXPECT_EQ(HeldSound, nullptr);  // only PlaySoundEffect keeps a handle
    EXPECT_EQ(Taken(), (Calls{"load BIGJACKPOT", "play BIGJACKPOT 7"}));

    StopWave(held);
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free BIGJACKPOT"}));
}

// Under Wine every wave goes over as a 16-bit copy of its samples, freed
// once the play that reads it has ended: the next play or stop, or the end
// of a synchronous play.  The resource calls stay as they are.
TEST_F(SoundTest, UnderWineWavesGoOverAs16BitCopiesFreedWhenTheirPlayEnds) {
    WaveCopies = -1;
    PlaySoundEffect("HoldCard");
    EXPECT_EQ(WaveCopies, 1) << "Wine not recognised";
    EXPECT_EQ(Taken(), (Calls{"load HOLDCARD", "play HOLDCARD/16 7"}));

    PlaySoundEffect("NoHold");
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free HOLDCARD/16", "free HOLDCARD", "load NOHOLD",
                              "play NOHOLD/16 7"}));

    // A synchronous play ends the asynchronous one; both copies go.
    PlayWaveSync(gShell.instance, "CoinDrop");
    EXPECT_EQ(Taken(), (Calls{"load COINDROP", "play COINDROP/16 6", "free NOHOLD/16",
                              "free COINDROP/16", "free COINDROP"}));
    EXPECT_EQ(HeldSound, HandleOf("NOHOLD"));

    StopWave(HeldSound);
    HeldSound = nullptr;
    EXPECT_EQ(Taken(), (Calls{"play null 6", "free NOHOLD"}));
}

}  // namespace
