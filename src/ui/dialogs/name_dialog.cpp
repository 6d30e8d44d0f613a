#include "ui/dialogs/name_dialog.h"

#include <QLabel>
#include <QValidator>
#include <algorithm>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/name_text.h"

namespace d7::ui {

namespace {

constexpr int kHeightWithRandom = 158;
constexpr int kHeightPlain = 125;
constexpr int kWidth = 260;
constexpr int kPanelHeight = 86;

// Accepts only what a name can hold: Windows-1252 characters without ";",
// at most as many as the name's place in the language file stores. Typing ";"
// or a character past the limit therefore inserts nothing, and pasted text
// that holds one or would not fit is refused as a whole, never cut.
class NameValidator : public QValidator {
  public:
    using QValidator::QValidator;
    int limit = kCountyNameLength;
    State validate(QString& input, int&) const override {
        if (input.size() > limit) return Invalid;
        for (QChar c : input)
            if (!isNameCharacter(c)) return Invalid;
        return Acceptable;
    }
};

QString nameKind(int limit) {
    return limit == kMapNameLength ? QStringLiteral("map name") : QStringLiteral("name");
}

}  // namespace

Tnchform::Tnchform(NameGenerator& words, Random& rng, Prompt& prompt, QWidget* parent)
    : QDialog(parent), generator_(words), rng_(rng), prompt_(prompt) {
    setObjectName(QStringLiteral("Tnchform"));
    setWindowTitle(QStringLiteral("Change Name"));

    ed_name = new QLineEdit(this);
    ed_name->setObjectName(QStringLiteral("ed_name"));
    validator_ = new NameValidator(ed_name);
    ed_name->setValidator(validator_);
    ed_name->setGeometry(16, 16, kWidth - 32, 24);
    lb_left = new QLabel(this);
    lb_left->setObjectName(QStringLiteral("lb_left"));
    lb_left->setWordWrap(true);
    connect(ed_name, &QLineEdit::textChanged, this, [this] { showCharactersLeft(false); });
    connect(ed_name, &QLineEdit::inputRejected, this, [this] {
        if (ed_name->text().size() >= nameLimit()) showCharactersLeft(true);
    });

    bt_gen = new QPushButton(QStringLiteral("Random"), this);
    bt_gen->setObjectName(QStringLiteral("bt_gen"));
    bt_gen->setAutoDefault(false);
    bt_gen->setGeometry(16, 48, 75, 25);

    const DialogButtons buttons = makeOkCancelButtons(this);
    bt_ok = buttons.ok;
    bt_cancel = buttons.cancel;

    genpanel = new QFrame(this);
    genpanel->setObjectName(QStringLiteral("genpanel"));
    genpanel->setFrameShape(QFrame::StyledPanel);
    const char* labels[3] = {"Prefix", "Infix", "Suffix"};
    QPushButton** rerolls[3] = {&bt_pre, &bt_in, &bt_suf};
    const char* names[3] = {"bt_pre", "bt_in", "bt_suf"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(labels[i]), genpanel);
        label->setGeometry(8, 6 + 26 * i, 60, 22);
        QPushButton* b = new QPushButton(QStringLiteral("Reroll"), genpanel);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setAutoDefault(false);
        b->setGeometry(76, 4 + 26 * i, 75, 24);
        *rerolls[i] = b;
        connect(b, &QPushButton::clicked, this, [this, i] { generate(i + 1); });
    }
    genpanel->hide();

    connect(bt_gen, &QPushButton::clicked, this, [this] { generate(NameGenerator::kAll); });
    connect(bt_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(bt_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(kWidth, kHeightPlain);
}

void Tnchform::showEvent(QShowEvent* event) {
    genpanel->hide();
    const bool random = generator_.namesAvailable() && offerRandom;
    bt_gen->setVisible(random);
    lb_left->setGeometry(random ? 100 : 16, 44, random ? kWidth - 116 : kWidth - 32, 34);
    const int height = random ? kHeightWithRandom : kHeightPlain;
    bt_ok->setGeometry(kWidth - 172, height - 36, 75, 25);
    bt_cancel->setGeometry(kWidth - 91, height - 36, 75, 25);
    setFixedSize(kWidth, height);
    QDialog::showEvent(event);
    ed_name->setFocus();
}

std::optional<std::string> Tnchform::askName(int maxLength, bool random) {
    offerRandom = random;
    static_cast<NameValidator*>(validator_)->limit = maxLength;
    ed_name->clear();
    showCharactersLeft(false);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return nameFromText(ed_name->text());
}

void Tnchform::generate(int code) {
    switch (code) {
        case NameGenerator::kAll:
            generator_.drawAll(rng_);
            break;
        case NameGenerator::kPrefix:
            generator_.drawPrefix(rng_);
            break;
        case NameGenerator::kInfix:
            generator_.drawInfix(rng_);
            break;
        default:
            generator_.drawSuffix(rng_);
            break;
    }
    if (auto name = generator_.compose(code, rng_)) {
        ed_name->setText(textFromName(*name));
    } else {
        prompt_.inform("Names", "Could not create a name. All results too long.");
    }
    // Typing goes on in the field, whichever button made the name.
    ed_name->setFocus();
    if (code == NameGenerator::kAll && genpanel->isHidden()) {
        const int height = this->height();
        genpanel->setGeometry(16, height - 44, 160, kPanelHeight);
        bt_ok->move(bt_ok->x(), height - 44 + kPanelHeight + 8);
        bt_cancel->move(bt_cancel->x(), bt_ok->y());
        setFixedSize(kWidth, height + kPanelHeight + 8);
        genpanel->show();
    }
}

int Tnchform::nameLimit() const {
    return static_cast<const NameValidator*>(validator_)->limit;
}

void Tnchform::showCharactersLeft(bool refused) {
    const int limit = nameLimit();
    const int left = std::max(0, limit - int(ed_name->text().size()));
    if (refused)
        lb_left->setText(
            QStringLiteral(
                "No characters left: the game's files hold a %1 of at most %2 characters.")
                .arg(nameKind(limit))
                .arg(limit));
    else if (left == 1)
        lb_left->setText(QStringLiteral("1 character left"));
    else
        lb_left->setText(QStringLiteral("%1 characters left").arg(left));
}

}  // namespace d7::ui
