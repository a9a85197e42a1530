#pragma once

#include "MonkeyRandom.h"
#include "ScenarioSession.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace monkey {

// A person who does anything a scenario can say, at random: taps and long
// presses anywhere and on whatever is on the screen, drags, swipes, the
// reticles, the mode strip and the dial, the shutter and the volume buttons,
// modes and cameras, how the device is held, the app sent away and back,
// memory warnings and screenshots, between short waits; before the launch a
// few settings. Now and then the home and side buttons: the home screen's
// icons, the lock screen, its camera (played blind, its views being in
// another process) and the Settings app. Every line is valid: what it aims
// at is looked up on the live screen (or, for the home screen's process,
// what it shows) just before the line is written, so the same seed on the
// same model writes the same scenario.
//
// Each line is written to the record before it runs, so the record of a run
// that crashes ends with the line that crashed it, and replays with
// `vantor-sim run` on a fresh device root.
class Monkey {
public:
    Monkey(uint64_t seed, std::string model);

    // Plays a whole scenario, ending with quit. Nothing, or why a line could
    // not run (a fault of the simulator or of the monkey).
    std::optional<std::string> play(sim::ScenarioSession&, std::ostream& record);

    // The scenario lines run, comments not counted.
    int linesRun() const { return m_linesRun; }

private:
    std::optional<std::string> run(const std::string& line);
    std::string nextAction();
    void beforeLaunch();

    std::string tapSomewhere();
    std::string tapAView();
    std::string pressAView();
    std::string dragAnywhere();
    std::string dragAReticle();
    std::string turnTheDial();
    std::string moveTheStrip(bool in);
    std::string changeMode();
    std::string changeCamera();
    std::string holdTheDevice();
    std::string showFilters();
    std::string waitAWhile();
    // What a person does where the camera app is not in front.
    std::string onTheLockScreen();
    std::string onTheLockScreensCamera();
    std::string onTheHomeScreen();
    std::string inTheSettingsApp();
    // A timed capture from start to end, one line a turn: the strip in, its
    // button, the shutter, a wait, and for a time-lapse the dial's middle,
    // which ends the series and makes the movie.
    void planTimedCapture(bool timeLapse);
    std::string tapIfShown(const char* className, int tag);

    MonkeyRandom m_random;
    uint64_t m_seed;
    std::string m_model;
    double m_width { 320 };
    double m_height { 480 };
    bool m_isPad { false };
    sim::ScenarioSession* m_session { nullptr };
    std::ostream* m_record { nullptr };
    int m_lineNumber { 0 };
    int m_linesRun { 0 };
    int m_screenshots { 0 };
    bool m_inBackground { false };
    // Lines planned ahead, each made when its turn comes.
    std::deque<std::function<std::string()>> m_planned;
};

}
