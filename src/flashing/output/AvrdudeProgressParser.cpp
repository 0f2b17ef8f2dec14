// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/AvrdudeProgressParser.h"

#include "flashing/output/ToolOutputLines.h"

#include <cctype>
#include <sstream>

namespace modflash {

namespace {

constexpr std::string_view writingHeader = "Writing | ";
constexpr std::string_view readingHeader = "Reading | ";

bool isNumber(std::string_view word) {
    return !word.empty() && std::isdigit(static_cast<unsigned char>(word.front()));
}

// The memory a context line speaks of: the first word after the verb that is not a count.
std::string memoryAfter(std::string_view rest) {
    std::istringstream words{std::string(rest)};
    std::string word;
    while (words >> word) {
        if (isNumber(word) || word == "byte" || word == "bytes" || word == "of")
            continue;
        while (!word.empty() && !std::isalnum(static_cast<unsigned char>(word.back())))
            word.pop_back();
        while (!word.empty() && !std::isalnum(static_cast<unsigned char>(word.front())))
            word.erase(word.begin());
        return word;
    }
    return {};
}

} // namespace

std::optional<std::string_view> AvrdudeProgressParser::errorIn(std::string_view line) const {
    line = trimmed(line);
    // A fuse whose unused bits read back otherwise gets a bare "***failed;" that the
    // verification then forgives; it names no reason either way.
    if (line.starts_with("avrdude warning") || line.starts_with("avrdude: warning") ||
        line == "***failed;")
        return std::nullopt;
    if (containsIgnoringCase(line, "error") || containsIgnoringCase(line, "failed"))
        return line;
    return std::nullopt;
}

void AvrdudeProgressParser::consumeChunk(std::string_view chunk) {
    for (char c : chunk)
        consume(c);
}

void AvrdudeProgressParser::consume(char c) {
    const bool lineBreak = c == '\n' || c == '\r';
    if (lineBreak) {
        if (m_bar == Bar::None)
            lineEnded();
        m_line.clear();
    } else {
        m_line.append(c);
        const std::string_view line = m_line.text();
        if (line == writingHeader || line == readingHeader) {
            startPhase(line);
            return;
        }
    }

    switch (m_bar) {
    case Bar::None:
        break;
    case Bar::Marks:
        if (c == '#' || c == '-')
            mark(c == '-');
        else if (c == ' ') {
            m_bar = Bar::Trailer;
            m_trailer.assign(1, ' ');
        } else if (!lineBreak)
            m_bar = Bar::Text;
        break;
    case Bar::Trailer:
        trailerByte(c);
        break;
    case Bar::Text:
        // A message printed in the middle of a bar; the marks resume on the next line.
        if (c == '\n')
            m_bar = Bar::Marks;
        break;
    case Bar::AfterBar:
        if (c == '\n')
            m_bar = Bar::None;
        break;
    }
}

void AvrdudeProgressParser::lineEnded() {
    const std::string_view line = trimmed(m_line.text());
    constexpr std::string_view prefix = "avrdude: ";
    if (!line.starts_with(prefix))
        return;
    const std::string_view message = line.substr(prefix.size());
    if (message.starts_with("reading input file") || message.starts_with("reading output file"))
        return;
    for (const auto& [verb, phase] :
         {std::pair{"writing ", Phase::Writing}, std::pair{"verifying ", Phase::Verifying},
          std::pair{"reading ", Phase::Reading}}) {
        if (message.starts_with(verb)) {
            m_contextPhase = phase;
            m_contextMemory = memoryAfter(message.substr(std::string_view(verb).size()));
            // Small memories (the fuses) get no bar: the line alone says what is going on.
            update({m_contextPhase, Progress::indeterminate, Progress::State::Running,
                    m_contextMemory});
            return;
        }
    }
    // "1 byte of hfuse written", "512 bytes of flash verified": the phase is done, unless its
    // bar already failed.
    for (const auto& [ending, phase] :
         {std::pair{" written", Phase::Writing}, std::pair{" verified", Phase::Verifying}}) {
        const std::size_t of = message.find(" of ");
        if (!message.ends_with(ending) || of == std::string_view::npos)
            continue;
        const std::string_view memory =
            message.substr(of + 4, message.size() - of - 4 - std::string_view(ending).size());
        const Progress now = progress();
        if (now.phase == phase && now.memory == memory && now.state != Progress::State::Failed)
            update({now.phase, 100, Progress::State::Done, now.memory});
    }
}

void AvrdudeProgressParser::startPhase(std::string_view header) {
    const bool writing = header == writingHeader;
    Progress next{writing ? Phase::Writing : Phase::Reading, 0, Progress::State::Running, {}};
    // The context line names the phase only when it announces this kind of transfer: a
    // verification reads the chip back.
    const bool matches =
        writing ? m_contextPhase == Phase::Writing
                : (m_contextPhase == Phase::Verifying || m_contextPhase == Phase::Reading);
    if (matches) {
        next.phase = m_contextPhase;
        next.memory = m_contextMemory;
    }
    m_contextPhase = Phase::None;
    m_contextMemory.clear();
    m_marks = 0;
    m_bar = Bar::Marks;
    update(std::move(next));
}

void AvrdudeProgressParser::mark(bool failed) {
    Progress next = progress();
    if (failed) {
        // The dashes only fill the bar up; the phase stopped where the last "#" left it.
        next.state = Progress::State::Failed;
    } else if (next.state == Progress::State::Running) {
        ++m_marks;
        next.percent = std::min(100, 2 * m_marks);
    }
    update(std::move(next));
}

void AvrdudeProgressParser::trailerByte(char c) {
    // " | 100%": a space, a bar, a space, up to three digits and the percent sign.
    if (c == '%' && m_trailer.size() > 3) {
        Progress next = progress();
        if (next.state != Progress::State::Failed) {
            next.percent = std::stoi(m_trailer.substr(3));
            if (next.percent >= 100)
                next.state = Progress::State::Done;
        }
        m_bar = Bar::AfterBar;
        update(std::move(next));
        return;
    }
    const std::size_t at = m_trailer.size();
    const bool fits = (at == 1 && c == '|') || (at == 2 && c == ' ') ||
                      (at >= 3 && at < 6 && std::isdigit(static_cast<unsigned char>(c)));
    if (fits) {
        m_trailer.push_back(c);
        return;
    }
    m_bar = c == '\n' ? Bar::Marks : Bar::Text;
}

} // namespace modflash
