#pragma once

#include <QString>

#include <functional>

namespace platform {

// What the help file is asked to show.
enum class HelpRequest { Topic, Contents, Search, HelpOnHelp };

// Opens the help window at a topic number, its contents, its keyword search or its help on
// help. The pages are HTML, one per topic, compiled into the program.
void ShowHelp(HelpRequest request, int topic = 0, const QString& keyword = {});
inline void ShowHelpTopic(int topic) {
    ShowHelp(HelpRequest::Topic, topic);
}

// The page that a request shows ("qrc:/help/1029.html"); a topic without a page shows the
// contents.
QString HelpPageUrl(HelpRequest request, int topic);

// Tests replace the help window to see which topic was asked for (nullptr restores it).
void SetHelpHandler(std::function<void(HelpRequest, int topic)> handler);

} // namespace platform
