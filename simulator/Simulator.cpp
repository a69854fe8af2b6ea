#include "Simulator.h"

#include <algorithm>
#include <cmath>

namespace korven::sim {
namespace {

constexpr quint8 kAllSettings = 7; // vmin, vmax, acceleration

bool isJump(Command c) {
    return c == Command::Jump || c == Command::JumpIfInput || c == Command::JumpIfCounter;
}

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

} // namespace

bool MachineState::sameAs(const MachineState &o) const {
    // Positions and velocities come out of square roots; a millionth of a step is
    // below anything a motor does.
    return pc == o.pc && counter == o.counter && velocityMode == o.velocityMode &&
           settings == o.settings && outputs == o.outputs && enable == o.enable && vmin == o.vmin &&
           vmax == o.vmax && accel == o.accel && near(position, o.position, 1e-6) &&
           near(home, o.home, 1e-6) && near(velocity, o.velocity, 1e-9) &&
           near(target, o.target, 1e-9);
}

Simulator::Simulator(const DecodedProgram &program, const SimulationOptions &options,
                     SimulationTrace *trace)
    : m_code(program.instructions()), m_options(options), m_trace(trace),
      m_inputs(options.inputs.begin(), options.inputs.end()), m_counts(m_code.size(), 0),
      m_firstTime(m_code.size(), 0), m_lastTime(m_code.size(), 0) {
    std::stable_sort(m_inputs.begin(), m_inputs.end(),
                     [](const InputChange &a, const InputChange &b) { return a.timeS < b.timeS; });
    m_s.home = options.homeAt;
    if (m_trace) {
        point();
        outputsChanged();
    }
    if (m_code.empty()) {
        m_ended = true;
        m_end = EndReason::Error;
        m_error = QStringLiteral("Program jest pusty.");
    }
}

QMap<int, qint64> Simulator::lineCounts() const {
    QMap<int, qint64> counts;
    for (size_t i = 0; i < m_code.size(); ++i) {
        if (m_counts[i] > 0)
            counts[m_code[i].line] += m_counts[i];
    }
    return counts;
}

QMap<int, LineStats> Simulator::lineStats() const {
    QMap<int, LineStats> stats;
    for (size_t i = 0; i < m_code.size(); ++i) {
        if (m_counts[i] == 0)
            continue;
        LineStats &s = stats[m_code[i].line];
        s.firstS = s.count == 0 ? m_firstTime[i] : std::min(s.firstS, m_firstTime[i]);
        s.lastS = s.count == 0 ? m_lastTime[i] : std::max(s.lastS, m_lastTime[i]);
        s.count += m_counts[i];
    }
    return stats;
}

void Simulator::fillResult(SimulationResult &r) const {
    r.end = m_end;
    r.timeS = time();
    r.position = m_s.position;
    r.velocity = m_s.velocity;
    r.steps = m_steps;
    r.lineCounts = lineCounts();
    r.lineStats = lineStats();
    r.error = m_error;
    r.errorLine = m_errorLine;
    r.waitLine = m_end == EndReason::Wait ? m_waitLine : 0;
    r.waitInput = m_end == EndReason::Wait ? m_waitInput : 0;
}

int Simulator::currentLine() const { return m_code.empty() ? 0 : m_code[size_t(m_s.pc)].line; }

quint8 Simulator::inputsNow() const {
    const double now = time();
    quint8 state = 0;
    for (const InputChange &c : m_inputs) {
        if (c.timeS > now)
            break;
        if (c.input < 1 || c.input > 8)
            continue;
        const quint8 bit = quint8(1u << (c.input - 1));
        state = c.state ? (state | bit) : (state & ~bit);
    }
    return state;
}

const Instruction *Simulator::lastSetting(int which) const {
    const int at = which >= 0 && which < 3 ? m_settingAt[which] : -1;
    return at < 0 ? nullptr : &m_code[size_t(at)];
}

Simulator::Status Simulator::run(qint64 sampleLimit, bool watchForLoop) {
    while (!m_ended) {
        const Instruction &in = m_code[size_t(m_s.pc)];
        if (isJump(in.command)) {
            // A run that paused at this jump has checked it already.
            if (!m_jumpChecked && !beforeJump(in))
                break;
            m_jumpChecked = true;
            if (m_nextInput == m_inputs.size()) {
                if (m_samples == sampleLimit)
                    return Status::Sampled;
                ++m_samples;
                if (watchForLoop) {
                    if (!m_haveSaved) {
                        m_saved = m_s;
                        m_savedTime = time();
                        m_haveSaved = true;
                    } else {
                        ++m_brentLambda;
                        // A repetition in no time is a busy wait, which the check above
                        // ends where stepping ends it too.
                        if (m_s.sameAs(m_saved) && time() != m_savedTime)
                            return Status::LoopFound;
                        if (m_brentLambda == m_brentPower) {
                            m_saved = m_s;
                            m_savedTime = time();
                            m_brentPower *= 2;
                            m_brentLambda = 0;
                        }
                    }
                }
            }
        }
        step();
    }
    return Status::Ended;
}

Simulator::Status Simulator::runSteps(qint64 stepLimit, const std::vector<char> *stopBefore) {
    for (bool first = true; !m_ended; first = false) {
        if (!first && (m_steps >= stepLimit || (stopBefore && (*stopBefore)[size_t(m_s.pc)])))
            return Status::Paused;
        const Instruction &in = m_code[size_t(m_s.pc)];
        if (isJump(in.command) && !m_jumpChecked && !beforeJump(in))
            break;
        step();
    }
    return Status::Ended;
}

bool Simulator::beforeJump(const Instruction &in) {
    if (m_nextInput < m_inputs.size())
        applyInputs();
    if (m_nanoseconds != m_stillNanoseconds || m_motionSeconds != m_stillMotion) {
        // Time has passed: a new stretch without time begins here.
        m_stillNanoseconds = m_nanoseconds;
        m_stillMotion = m_motionSeconds;
        m_still = m_s;
        m_stillSteps = m_steps;
        m_stillPower = 1;
        m_stillLambda = 0;
        return true;
    }
    if (m_s.sameAs(m_still))
        return busyWait(in);
    if (++m_stillLambda == m_stillPower) {
        m_still = m_s;
        m_stillSteps = m_steps;
        m_stillPower *= 2;
        m_stillLambda = 0;
    }
    return true;
}

bool Simulator::busyWait(const Instruction &in) {
    // What the cycle waits for: the input it polled, if it polled one.
    const bool polled = m_lastPollStep > m_stillSteps;
    m_waitLine = polled ? m_code[size_t(m_lastPoll)].line : in.line;
    m_waitInput = polled ? m_code[size_t(m_lastPoll)].aux + 1 : 0;
    if (m_nextInput == m_inputs.size()) {
        m_end = EndReason::Wait;
        m_ended = true;
        return false;
    }
    const double at = m_inputs[m_nextInput].timeS;
    if (!passTime(at - time(), 0))
        return false;
    // The clock reads the change's own time, so that the change is due now.
    m_nanoseconds = qint64(std::llround(at * 1e9));
    m_motionSeconds = at - double(m_nanoseconds) * 1e-9;
    applyInputsUpTo(at);
    m_stillMotion = std::numeric_limits<double>::quiet_NaN();
    return true;
}

bool Simulator::fail(const Instruction &in, const QString &what) {
    const QString name = in.command == Command::None ? QStringLiteral("nieznane polecenie")
                                                     : commandName(in.command);
    m_error = QStringLiteral("Błąd w linii %1 (%2): %3.").arg(in.line).arg(name, what);
    m_errorLine = in.line;
    m_end = EndReason::Error;
    m_ended = true;
    return false;
}

void Simulator::applyInputs() { applyInputsUpTo(time()); }

void Simulator::applyInputsUpTo(double seconds) {
    while (m_nextInput < m_inputs.size() && m_inputs[m_nextInput].timeS <= seconds) {
        const InputChange &c = m_inputs[m_nextInput++];
        if (c.input < 1 || c.input > 8)
            continue;
        const quint8 bit = quint8(1u << (c.input - 1));
        m_inputState = c.state ? (m_inputState | bit) : (m_inputState & ~bit);
    }
}

void Simulator::point() {
    if (!m_trace)
        return;
    if (m_trace->motion.size() < size_t(m_options.traceLimit))
        m_trace->motion.push_back({time() + m_pieceStart, m_s.position, m_s.velocity});
}

void Simulator::outputsChanged() {
    if (m_trace && m_trace->outputs.size() < size_t(m_options.traceLimit))
        m_trace->outputs.push_back({time(), m_s.outputs, m_s.enable});
}

bool Simulator::piece(double seconds, double acceleration) {
    if (seconds <= 0)
        return true;
    const double left = m_options.maxTimeS - time();
    const bool cut = seconds > left;
    const double tau = cut ? std::max(0.0, left) : seconds;
    m_s.position += m_s.velocity * tau + 0.5 * acceleration * tau * tau;
    m_s.velocity += acceleration * tau;
    m_motionSeconds += tau;
    point();
    if (cut) {
        m_end = EndReason::TimeLimit;
        m_ended = true;
    }
    return !cut;
}

bool Simulator::passTime(double seconds, qint64 exactNanoseconds) {
    const double left = m_options.maxTimeS - time();
    if (seconds > left) {
        coast(std::max(0.0, left));
        m_nanoseconds = 0;
        m_motionSeconds = m_options.maxTimeS;
        m_end = EndReason::TimeLimit;
        m_ended = true;
        return false;
    }
    coast(seconds);
    m_nanoseconds += exactNanoseconds;
    return true;
}

void Simulator::coast(double span) {
    if (m_s.velocity == 0 && !(m_s.velocityMode && m_s.target != 0))
        return;
    // The velocity mode goes on: ramp to the target, then hold it.
    double done = 0;
    if (m_s.velocityMode && m_s.velocity != m_s.target) {
        const double ramp = std::fabs(m_s.target - m_s.velocity) / m_s.accel;
        const double r = std::min(ramp, span);
        const double a = m_s.target > m_s.velocity ? m_s.accel : -m_s.accel;
        m_s.position += m_s.velocity * r + 0.5 * a * r * r;
        m_s.velocity = r == ramp ? m_s.target : m_s.velocity + a * r;
        done = r;
        m_pieceStart = done;
        point();
    }
    m_s.position += m_s.velocity * (span - done);
    m_pieceStart = span;
    point();
    m_pieceStart = 0;
}

bool Simulator::requireSettings(const Instruction &in) {
    if ((m_s.settings & kAllSettings) == kAllSettings)
        return true;
    return fail(in, QStringLiteral("ruch przed ustawieniem prędkości minimalnej, maksymalnej i "
                                   "przyspieszenia maksymalnego"));
}

bool Simulator::move(const Instruction &in, double to, double cruise) {
    if (cruise <= 0 || m_s.accel <= 0)
        return fail(in, QStringLiteral("ruch z zerową prędkością lub przyspieszeniem"));
    m_s.velocityMode = false;
    const double d = std::fabs(to - m_s.position);
    if (d == 0) {
        m_s.velocity = 0;
        point();
        return true;
    }
    const double sign = to > m_s.position ? 1.0 : -1.0;
    const double a = m_s.accel;
    const double vs = std::min(m_s.vmin, cruise); // starts and ends at the minimum speed
    point();
    m_s.velocity = sign * vs;
    point();
    const double da = (cruise * cruise - vs * vs) / (2 * a);
    bool whole;
    if (2 * da <= d) {
        const double ramp = (cruise - vs) / a;
        whole = piece(ramp, sign * a) && piece((d - 2 * da) / cruise, 0) && piece(ramp, -sign * a);
    } else {
        const double ramp = (std::sqrt(vs * vs + a * d) - vs) / a;
        whole = piece(ramp, sign * a) && piece(ramp, -sign * a);
    }
    if (!whole)
        return false;
    m_s.position = to;
    m_s.velocity = 0;
    point();
    return true;
}

bool Simulator::step() {
    if (m_steps >= m_options.maxSteps) {
        m_end = EndReason::StepLimit;
        m_ended = true;
        return false;
    }
    m_jumpChecked = false;
    const size_t at = size_t(m_s.pc);
    const Instruction &in = m_code[at];
    const double now = time();
    if (m_trace) {
        if (m_trace->commands.size() < size_t(m_options.traceLimit))
            m_trace->commands.push_back({now, in.line, m_s.position, m_s.velocity});
        else
            ++m_trace->commandsLeftOut;
    }
    ++m_steps;
    if (m_counts[at]++ == 0)
        m_firstTime[at] = now;
    m_lastTime[at] = now;
    bool jump = false;
    switch (in.command) {
    case Command::None:
        return fail(
            in,
            QStringLiteral("nieznany kod polecenia %1h")
                .arg(QString::number(in.aux, 16).rightJustified(2, QLatin1Char('0')).toUpper()));
    case Command::Vmin:
        m_s.vmin = in.real;
        m_s.settings |= 1;
        m_settingAt[0] = int(at);
        break;
    case Command::Vmax:
        m_s.vmax = in.real;
        m_s.settings |= 2;
        m_settingAt[1] = int(at);
        break;
    case Command::AMax:
        m_s.accel = in.real;
        m_s.settings |= 4;
        m_settingAt[2] = int(at);
        break;
    case Command::Vtarget:
        if (!requireSettings(in))
            return false;
        if (m_s.accel <= 0)
            return fail(in, QStringLiteral("prędkość docelowa przy zerowym przyspieszeniu"));
        m_s.velocityMode = true;
        m_s.target = in.real;
        break;
    case Command::Wait:
        if (!passTime(in.value * 1e-3, qint64(in.value) * 1000000))
            return false;
        break;
    case Command::WaitS:
        if (!passTime(in.value, qint64(in.value) * 1000000000))
            return false;
        break;
    case Command::FindPos:
        if (!requireSettings(in) || !move(in, in.value, m_s.vmax))
            return false;
        break;
    case Command::FindHome:
        if (!requireSettings(in) || !move(in, m_s.home, in.real))
            return false;
        m_s.home = 0;
        m_s.position = 0;
        point();
        break;
    case Command::Brake:
        if (m_s.velocity != 0) {
            if (m_s.accel <= 0)
                return fail(in, QStringLiteral("hamowanie przy zerowym przyspieszeniu"));
            const double v = m_s.velocity;
            if (!piece(std::fabs(v) / m_s.accel, v > 0 ? -m_s.accel : m_s.accel))
                return false;
        }
        m_s.velocity = 0;
        m_s.velocityMode = false;
        point();
        break;
    case Command::Stop:
        m_s.velocity = 0;
        m_s.velocityMode = false;
        point();
        break;
    case Command::ClearPosition:
        m_s.home -= m_s.position;
        m_s.position = 0;
        point();
        break;
    case Command::SetCounter: m_s.counter = quint32(in.value); break;
    case Command::JumpIfCounter:
        if (m_s.counter != 0) {
            --m_s.counter;
            jump = true;
        }
        break;
    case Command::Jump: jump = true; break;
    case Command::JumpIfInput:
        if (in.aux > 7)
            return fail(in, QStringLiteral("wejście %1 spoza zakresu 1..8").arg(in.aux + 1));
        applyInputs();
        jump = bool((m_inputState >> in.aux) & 1) == bool(in.aux2);
        m_lastPoll = int(at);
        m_lastPollStep = m_steps;
        break;
    case Command::SetOutput:
        m_s.outputs = quint8((m_s.outputs & ~(1u << in.aux)) | (unsigned(in.aux2) << in.aux));
        outputsChanged();
        break;
    case Command::Outputs:
        m_s.outputs = in.aux;
        outputsChanged();
        break;
    case Command::Enable:
        m_s.enable = in.aux2;
        outputsChanged();
        break;
    case Command::End:
        m_end = EndReason::Koniec;
        m_ended = true;
        return false;
    }
    int next = in.next;
    if (jump) {
        if (in.jumpFault == Instruction::JumpFault::Outside)
            return fail(in, QStringLiteral("skok poza program (adres %1)").arg(in.jumpAddress));
        if (in.jumpFault == Instruction::JumpFault::IntoCommand)
            return fail(in,
                        QStringLiteral("skok w środek polecenia (adres %1)").arg(in.jumpAddress));
        next = in.target;
    }
    if (next < 0)
        return fail(in, QStringLiteral("za poleceniem nie ma dalszego polecenia ani Koniec"));
    m_s.pc = next;
    return true;
}

} // namespace korven::sim
