#include "SteppingSession.h"

#include "Compiler.h"
#include "Simulation.h"
#include "Simulator.h"

#include <algorithm>
#include <limits>

namespace korven::sim {

SteppingSession::SteppingSession(const QStringList &lines, const DriveSettings &drive,
                                 const SimulationOptions &options)
    : m_options(options) {
    const CompileResult compiled = GenerujProgram(lines, drive);
    if (!compiled.ok()) {
        m_whole.end = EndReason::Error;
        m_whole.error = compiled.error;
        m_whole.errorLine = compiled.errorLine + 1;
        return;
    }
    m_program.emplace(DecodedProgram::fromImage(compiled.image, drive.PulsDiv));
    m_whole = simulate(*m_program, m_options);
}

SteppingSession::~SteppingSession() = default;

SteppingSession::State SteppingSession::state() const {
    if (!m_sim)
        return State::Idle;
    return m_sim->ended() ? State::Ended : State::Paused;
}

bool SteppingSession::canGoOn() const { return m_program && (!m_sim || !m_sim->ended()); }

bool SteppingSession::start() {
    if (!m_program)
        return false;
    m_sim = std::make_unique<Simulator>(*m_program, m_options, nullptr);
    m_stop = m_sim->ended() ? Stop::End : Stop::Start;
    return true;
}

void SteppingSession::restart() { start(); }

void SteppingSession::step() {
    if (!canGoOn())
        return;
    if (!m_sim) {
        start();
        return;
    }
    m_sim->runSteps(m_sim->steps() + 1, nullptr);
    m_stop = m_sim->ended() ? Stop::End : Stop::Step;
}

void SteppingSession::runTo(const QSet<int> &breakpointLines, int cursorLine) {
    if (!canGoOn())
        return;
    const std::vector<Instruction> &code = m_program->instructions();
    const auto stopsAt = [&](int line) {
        return breakpointLines.contains(line) || (cursorLine > 0 && line == cursorLine);
    };
    if (!m_sim) {
        start();
        if (m_sim->ended() || stopsAt(m_sim->currentLine())) {
            m_stop = m_sim->ended()                       ? Stop::End
                     : m_sim->currentLine() == cursorLine ? Stop::Cursor
                                                          : Stop::Breakpoint;
            return;
        }
    }
    std::vector<char> stop(code.size(), 0);
    for (size_t i = 0; i < code.size(); ++i)
        stop[i] = stopsAt(code[i].line);
    // Once in the endless loop, one period runs every command of it: a line not met
    // within a period from here is never met.
    qint64 limit = std::numeric_limits<qint64>::max();
    const bool loop = m_whole.end == EndReason::Loop && m_whole.periodSteps > 0;
    if (loop)
        limit = std::max(m_whole.steps, m_sim->steps() + m_whole.periodSteps);
    m_sim->runSteps(limit, &stop);
    if (m_sim->ended())
        m_stop = Stop::End;
    else if (m_sim->currentLine() == cursorLine)
        m_stop = Stop::Cursor;
    else if (breakpointLines.contains(m_sim->currentLine()))
        m_stop = Stop::Breakpoint;
    else
        m_stop = Stop::Repeat;
}

int SteppingSession::currentLine() const { return m_sim ? m_sim->currentLine() : 0; }

double SteppingSession::time() const { return m_sim ? m_sim->time() : 0; }

WatchValues SteppingSession::watch() const {
    WatchValues w;
    if (!m_sim)
        return w;
    const MachineState &s = m_sim->state();
    w.timeS = m_sim->time();
    w.position = s.position;
    w.velocity = s.velocity;
    if (s.velocityMode)
        w.target = s.target;
    w.counter = s.counter;
    w.outputs = s.outputs;
    w.enable = s.enable;
    w.inputs = m_sim->inputsNow();
    std::optional<WatchValues::Setting> *settings[3] = {&w.vmin, &w.vmax, &w.accel};
    for (int k = 0; k < 3; ++k) {
        if (const Instruction *in = m_sim->lastSetting(k))
            *settings[k] = WatchValues::Setting{in->real, in->value};
    }
    return w;
}

SimulationResult SteppingSession::result() const {
    if (!m_sim)
        return m_whole;
    SimulationResult r;
    m_sim->fillResult(r);
    if (!m_sim->ended() && m_stop == Stop::Repeat) {
        r.end = EndReason::Loop;
        r.periodS = m_whole.periodS;
        r.periodSteps = m_whole.periodSteps;
    }
    return r;
}

} // namespace korven::sim
