#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace host {

// The line protocol over which vantor-sim drives an app that runs in a
// process of its own (the Settings app, the home screen): one command a
// line on the app's standard input; on its standard output, before the
// answer, what happened meanwhile, one line each:
//
//   log TEXT      a line the app wrote to the system log
//   event TEXT    a line of the app's event record (events.log)
//   notice TEXT   something its driver must know (the app asks for another
//                 app, its screen changed); what is said is the app's own
//
// then the answer: "ok [TEXT]" or "error REASON"; a `render` answers
// "image WIDTH HEIGHT" and that many pixels in kit's format (4 bytes each,
// rows without padding) before its "ok". End of input quits the app.
namespace protocol {

// One line without its newline; nothing at the end of input. A last line
// without a newline counts when `partialLastLine`.
std::optional<std::string> readLine(std::FILE*, bool partialLastLine);
// A number as commands carry it: "%.6f".
std::string number(double);

}

// One command line as the app reads it: its first word, the words after
// it, and the rest of the line after it as text (for names with spaces).
struct AppCommand {
    std::string name;
    std::vector<std::string> words;
    std::string rest;

    static AppCommand parse(const std::string& line);
    // The word at the index as a finite number; nothing when it is not one.
    std::optional<double> number(size_t index) const;
    // The words as numbers when there are exactly `count` of them.
    std::optional<std::vector<double>> numbers(size_t count) const;
    // "CLASS [TAG]": the class and the tag; nothing when the words are not that.
    std::optional<std::pair<std::string, std::optional<int>>> viewName() const;
};

// What a command answers: nothing wrong and an answer's text, or the reason.
struct AppAnswer {
    std::optional<std::string> problem;
    std::string text;

    static AppAnswer ok(std::string text = {}) { return { std::nullopt, std::move(text) }; }
    static AppAnswer error(std::string reason) { return { std::move(reason), {} }; }
    // "cannot read the arguments of NAME".
    static AppAnswer badArguments(const AppCommand&);
};

}
