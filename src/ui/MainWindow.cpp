#include "ui/MainWindow.h"

#include "form/Form1.h"
#include "form/MenuTable.h"
#include "ui/AboutBox.h"
#include "ui/EditorLauncher.h"
#include "ui/GameMenuBar.h"
#include "ui/GamepadInput.h"
#include "ui/KeyboardControl.h"
#include "ui/MessageBox.h"
#include "ui/NameInput.h"
#include "ui/PlayerCommands.h"
#include "ui/PlayField.h"
#include "ui/SideBand.h"
#include "ui/Stage.h"
#include "ui/TitleScreen.h"
#include "ui/UserInput.h"
#include "ui/WindowSizing.h"
#include "ui/frmPieces.h"
#include "ui/frmSkins.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <chrono>

namespace quibix {

namespace {

QString toQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Runs the event loop until `deadline`, repainting but holding user input
// back: it is delivered when the game is done, or dropped by the input lock.
// While the lock drops it anyway (a turn being shown) every event is let
// through, so that a close from the window system, which Qt counts as input,
// reaches the window during the turn.
void runEventsUntil(FramePacer::Clock::time_point deadline, bool inputDropped)
{
    using namespace std::chrono;
    const auto remaining = ceil<milliseconds>(deadline - FramePacer::Clock::now()).count();
    if (remaining <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(remaining));
    loop.exec(inputDropped ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace

// While a prompt is open the player needs a free mouse, an arrow pointer
// and working input, whatever state the game is in.
class MainWindow::PromptScope {
public:
    explicit PromptScope(MainWindow& w) : w_(w)
    {
        if (w_.promptDepth_++ == 0) {
            w_.keyboard_->clear();
            w_.playField_->setConfined(false);
            w_.input_->suspend();
        }
        w_.applyPointer();
    }
    ~PromptScope()
    {
        if (--w_.promptDepth_ == 0) {
            w_.input_->resume();
            if (w_.confineWanted_ && !w_.quitting_)
                w_.playField_->setConfined(true);
        }
        w_.applyPointer();
    }
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;

private:
    MainWindow& w_;
};

MainWindow::MainWindow()
    : pacer_([this](FramePacer::Clock::time_point deadline) { runEventsUntil(deadline, input_->dropping()); })
{
    setWindowTitle(QStringLiteral("Quibix"));
    // The title rows tell which games can be watched, window active or not.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    stage_ = new Stage(this);
    playField_ = new PlayField(stage_);
    titleScreen_ = new TitleScreen(stage_); // created after the field: lies over it
    sideBand_ = new SideBand(stage_);
    stage_->setParts(playField_, titleScreen_, sideBand_);
    setCentralWidget(stage_);

    menuBar()->setNativeMenuBar(false); // the bar belongs inside the window
    menus_ = new GameMenuBar(menuBar());
    sizing_ = new WindowSizing(this, stage_, menuBar(), menus_);
    input_ = new UserInput(this);
    editor_ = new EditorLauncher(this);
    keyboard_ = new KeyboardControl(this, [this] { return form_ && form_->running(); });

    connect(playField_, &PlayField::aimed, this, [this](float x, float y) {
        dispatch([x, y](Form1& f) { f.Picture1_MouseMove(x, y); });
    });
    connect(playField_, &PlayField::clicked, this,
            [this] { dispatch([](Form1& f) { f.Picture1_Click(); }); });
    connect(playField_, &PlayField::escapePressed, this,
            [this] { dispatch([](Form1& f) { f.Picture1_KeyPress(27); }); });
    connect(titleScreen_, &TitleScreen::startClicked, this,
            [this] { dispatch([](Form1& f) { f.cmdStart_Click(); }); });
    connect(titleScreen_, &TitleScreen::exitClicked, this,
            [this] { dispatch([](Form1& f) { f.cmdExit_Click(); }); });
    connect(titleScreen_, &TitleScreen::recordClicked, this,
            [this](int row) { dispatch([row](Form1& f) { f.watchRecord(row); }); });
    connect(menus_, &GameMenuBar::triggered, this, &MainWindow::onMenu);
    connect(keyboard_, &KeyboardControl::turned, this,
            [this](int degrees) { dispatch([degrees](Form1& f) { turnCannon(f, degrees); }); });
    connect(keyboard_, &KeyboardControl::commanded, this,
            [this](PlayerCommand c) { dispatch([c](Form1& f) { carryOut(f, c); }); });
}

MainWindow::~MainWindow()
{
    playField_->setConfined(false);
    if (overrideShape_)
        QGuiApplication::restoreOverrideCursor();
}

void MainWindow::attach(Form1& form)
{
    form_ = &form;
    // The music device's status event: about once a second, so the gap
    // between two pieces stays short.
    auto* musicStatus = new QTimer(this);
    connect(musicStatus, &QTimer::timeout, this,
            [this] { dispatch([](Form1& f) { f.MMControl1_StatusUpdate(); }); });
    musicStatus->start(1000);
}

void MainWindow::watchSoon(Replay replay)
{
    QTimer::singleShot(0, this, [this, replay = std::move(replay)] {
        dispatch([&replay](Form1& f) { f.watchReplay(replay); });
    });
}

void MainWindow::useGamepads(std::unique_ptr<GamepadPort> pads)
{
    auto* gamepad = new GamepadInput(
        std::move(pads), [this] { return form_ && form_->running(); }, [this] { return input_->watching(); },
        this);
    connect(gamepad, &GamepadInput::stopWatchingAsked, this, [this] { input_->interruptWatch(); });
    connect(gamepad, &GamepadInput::turned, this,
            [this](int degrees) { dispatch([degrees](Form1& f) { turnCannon(f, degrees); }); });
    connect(gamepad, &GamepadInput::commanded, this,
            [this](PlayerCommand c) { dispatch([c](Form1& f) { carryOut(f, c); }); });
}

void MainWindow::dispatch(const std::function<void(Form1&)>& handler)
{
    if (!form_ || quitting_ || handlerDepth_ > 0)
        return;
    ++handlerDepth_;
    handler(*form_);
    --handlerDepth_;
    if (closePending_ && !quitting_) {
        closePending_ = false;
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    }
}

void MainWindow::onMenu(MenuItem item)
{
    const MenuEntry* entry = menuEntry(item);
    if (!entry)
        return;
    if (entry->onView)
        entry->onView(*sizing_);
    else if (entry->onGame)
        dispatch(entry->onGame);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (quitting_ || !form_) {
        event->accept();
        return;
    }
    // The program ends through the game's own shutdown, which quits.
    event->ignore();
    if (handlerDepth_ > 0) {
        // Unloading in the middle of a turn would leave it drawing into
        // released buffers. The rules have already applied the whole turn,
        // so the rest of its animation is dropped and the close is carried
        // out as soon as the handler returns, at once rather than when the
        // shot would have landed.
        closePending_ = true;
        form_->cancelAnimation();
        return;
    }
    dispatch([](Form1& f) { f.Form_QueryUnload(); });
    if (!quitting_)
        quit(); // closing the window always ends the program
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        dispatch([](Form1& f) { f.Form_KeyPress(27); });
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::waitFor(int ms)
{
    if (ms > 0)
        runEventsUntil(FramePacer::Clock::now() + std::chrono::milliseconds(ms), input_->dropping());
}

void MainWindow::present(Surface surface, const QImage& image)
{
    if (surface == Surface::Picture1)
        playField_->setImage(image);
    else
        sideBand_->setImage(image);
}

void MainWindow::pause(int ms)
{
    pacer_.pause(ms);
}

void MainWindow::setMenuChecked(MenuItem item, bool checked)
{
    menus_->setChecked(item, checked);
}

bool MainWindow::menuChecked(MenuItem item) const
{
    return menus_->checked(item);
}

void MainWindow::setMenuEnabled(MenuItem item, bool enabled)
{
    menus_->setEnabled(item, enabled);
}

void MainWindow::setCaption(Caption label, int index, const std::string& text)
{
    const QString s = toQString(text);
    switch (label) {
    case Caption::Score: sideBand_->setScore(s); break;
    case Caption::PartialScore: sideBand_->setPartialScore(s); break;
    case Caption::Version: titleScreen_->setVersion(s); break;
    case Caption::RecordName: titleScreen_->setRecordName(index, s); break;
    case Caption::RecordValue: titleScreen_->setRecordValue(index, s); break;
    }
}

void MainWindow::showTitleScreen(bool visible)
{
    titleScreen_->setVisible(visible);
    if (visible)
        titleScreen_->raise();
}

void MainWindow::setTitlePicture(const QImage& picture)
{
    titleScreen_->setPicture(picture);
}

void MainWindow::messageBox(const std::string& text, const std::string& title)
{
    QString body = toQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    PromptScope scope(*this);
    showMessage(this, QMessageBox::NoIcon, toQString(title), body);
}

void MainWindow::notice(const std::string& text, const std::string& title, int ms)
{
    QString body = toQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, toQString(title), body, QMessageBox::Ok, this);
    QTimer::singleShot(ms, &box, &QDialog::accept);
    notice_ = &box;
    box.exec();
    notice_ = nullptr;
}

void MainWindow::setRecordWatchable(int row, bool watchable)
{
    titleScreen_->setRecordWatchable(row, watchable);
}

void MainWindow::setWatching(bool watching)
{
    if (!watching) {
        input_->endWatch();
        return;
    }
    // Called from inside the handler that plays the game, so straight to
    // the game rather than through dispatch.
    input_->watch([this] {
        if (form_)
            form_->stopWatching();
        if (notice_)
            notice_->accept();
    });
}

std::optional<std::string> MainWindow::inputBox(const std::string& prompt,
                                                const std::string& title,
                                                const std::string& proposed)
{
    PromptScope scope(*this);
    QInputDialog dialog(this);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    dialog.setTextValue(toQString(proposed));
    limitToStorableName(dialog); // the only input box asks for a record's name
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

void MainWindow::applyPointer()
{
    if (cursorCounter_ < 0)
        playField_->setCursor(Qt::BlankCursor);
    else
        playField_->unsetCursor();

    std::optional<Qt::CursorShape> wanted;
    if (promptDepth_ > 0)
        wanted = Qt::ArrowCursor;
    else if (pointer_ == kPointerHourglass)
        wanted = cursorCounter_ < 0 ? Qt::BlankCursor : Qt::WaitCursor;
    if (quitting_)
        wanted.reset();

    if (wanted == overrideShape_)
        return;
    if (wanted && overrideShape_)
        QGuiApplication::changeOverrideCursor(*wanted);
    else if (wanted)
        QGuiApplication::setOverrideCursor(*wanted);
    else
        QGuiApplication::restoreOverrideCursor();
    overrideShape_ = wanted;
}

void MainWindow::setPointer(int16_t shape)
{
    pointer_ = shape;
    applyPointer();
}

void MainWindow::disableInput()
{
    setPointer(kPointerHourglass);
    keyboard_->clear(); // the keys' releases will not reach us during the shot
    input_->DisableInput();
}

void MainWindow::enableInput(int16_t pointer)
{
    input_->EnableInput();
    setPointer(pointer);
}

int32_t MainWindow::showCursor(bool show)
{
    cursorCounter_ += show ? 1 : -1;
    applyPointer();
    return cursorCounter_;
}

void MainWindow::confineCursor(bool toPlayField)
{
    confineWanted_ = toPlayField;
    if (promptDepth_ == 0 && !quitting_)
        playField_->setConfined(toPlayField);
}

std::array<int16_t, 6> MainWindow::choosePieces(const std::array<int16_t, 6>& current,
                                                const std::array<QImage, 12>& pictures,
                                                const std::array<QImage, 12>& masks)
{
    PromptScope scope(*this);
    frmPieces dialog(current, pictures, masks, this);
    dialog.exec();
    return dialog.chosen();
}

std::optional<std::string> MainWindow::chooseSkin(const std::filesystem::path& appFolder,
                                                  const std::string& currentSkin)
{
    PromptScope scope(*this);
    frmSkins dialog(appFolder, currentSkin, this);
    dialog.exec();
    return dialog.chosenSkin();
}

void MainWindow::focusPlayField()
{
    playField_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openInEditor(const std::filesystem::path& file)
{
    editor_->open(file);
}

void MainWindow::showAbout(const QImage& picture, const std::string& versionLine)
{
    // The game waits behind the box; the mouse is free while it is open.
    PromptScope scope(*this);
    AboutBox box(picture, toQString(versionLine), this);
    box.exec();
}

void MainWindow::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    playField_->setConfined(false);
    applyPointer();
    QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
}

} // namespace quibix
