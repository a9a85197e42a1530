#include "kit/media/AudioJournal.h"

#include <mutex>

namespace kit {

namespace {

struct Journal {
    std::mutex mutex;
    std::vector<AudioJournal::Play> plays;
};

Journal& journal()
{
    static Journal instance;
    return instance;
}

}

void AudioJournal::record(Play play)
{
    std::lock_guard lock(journal().mutex);
    journal().plays.push_back(std::move(play));
}

std::vector<AudioJournal::Play> AudioJournal::plays()
{
    std::lock_guard lock(journal().mutex);
    return journal().plays;
}

size_t AudioJournal::playCount()
{
    std::lock_guard lock(journal().mutex);
    return journal().plays.size();
}

void AudioJournal::clear()
{
    std::lock_guard lock(journal().mutex);
    journal().plays.clear();
}

}
