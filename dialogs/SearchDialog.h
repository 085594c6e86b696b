#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <span>
#include <string>

class QButtonGroup;

// The search criteria dialog. The caller sets the six members, runs
// DoModal and, only when it returns 1, reads them back. The texts are CP932
// bytes, as the engine holds them.
class SearchDialog : public QDialog {
    Q_OBJECT

public:
    // Radio-button ids; the position of an id is the member's value.
    static constexpr std::array<int, 2> side_ids{202, 203};
    static constexpr std::array<int, 3> mode_ids{204, 205, 206};

    explicit SearchDialog(QWidget* parent = nullptr);
    ~SearchDialog() override;

    std::string name;
    std::string type;
    std::string rate;
    int side = 0;
    int mode = 0;
    bool fold = false;  // kana and character width folded: check box 207

    // 1 when confirmed with OK or Enter; 2 for Cancel, Esc or the close box.
    int DoModal();

protected:
    // Puts the members into the controls; true.
    virtual bool OnInitDialog();
    // Reads the controls into the members and ends with 1; a text CP932
    // cannot hold is refused with a message and the dialog stays open.
    virtual void OnOK();
    // Ends with 2 and leaves the members as they were.
    virtual void OnCancel();

    void accept() override;
    void reject() override;

private:
    QButtonGroup* radioGroup(std::span<const int> ids) const;
    void checkRadioButton(std::span<const int> ids, int index);
    int checkedIndex(std::span<const int> ids) const;
    std::optional<std::string> fieldText(int id, bool folded);
};
