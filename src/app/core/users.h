#pragma once

#include <QString>

#include <expected>
#include <optional>
#include <vector>

class Tdm1;

// A row of the users table Nevek.
struct UserRow {
    QString nev;    // login name, at most 16 characters
    QString jelszo; // the password encoded with EncodeTextA at width 50
    QString azon;   // USR001, USR002, ...; USR001 is the main user

    bool operator==(const UserRow&) const = default;
};

inline const QString kMainUser = QStringLiteral("USR001");
inline constexpr int kUserNameLength = 16;
inline constexpr int kPasswordLength = 10;
inline constexpr int kPasswordWidth = 50;

// Nevek on the main connection. Every value is bound, so any name, an
// apostrophe included, is stored and found as typed. Database failures come
// back as their error text.
class UserTable {
public:
    explicit UserTable(Tdm1& dm) : m_dm(dm) {}

    // The users in the order of their identifiers.
    std::expected<std::vector<UserRow>, QString> rows() const;
    // The row whose name equals the text exactly (case-sensitive, whole value).
    std::expected<std::optional<UserRow>, QString> findByName(const QString& nev) const;
    // The number of rows with this name, as the database compares texts.
    std::expected<int, QString> countByName(const QString& nev) const;
    // "USR001" on an empty table, else the highest identifier counted up.
    std::expected<QString, QString> nextIdentifier() const;

    // Appends a user under the next identifier; the password is stored
    // encoded. Returns the identifier.
    std::expected<QString, QString> add(const QString& nev, const QString& password);
    std::expected<void, QString> remove(const QString& azon);
    // Writes the encoded password into the row of this identifier (compared
    // without regard to case); false when there is no such row.
    std::expected<bool, QString> setPassword(const QString& azon, const QString& password);

private:
    Tdm1& m_dm;
};

// The password as it is stored: EncodeTextA at width 50.
QString encodeUserPassword(const QString& password);

// The rules of the user maintenance form (dlUserkarb) and its input dialog
// (dlInput3), for the logged-in user. Messages go through Uzenet with their
// exact texts; database failures are shown as the platform shows them (a
// plain message with the error text).
class UserMaintenance {
public:
    UserMaintenance(UserTable& table, QString currentUser);

    // "Új felvtel" and "Törlés" are shown to the main user only.
    bool mainUserButtonsVisible() const;
    // "Törlés" and "Módosítás" work when the table has rows.
    static bool rowButtonsEnabled(int rowCount) { return rowCount > 0; }

    enum class InputMode { NewUser, Password }; // the mode letters "I" and "N"
    enum class InputFocus { None, User, Password1 };
    struct InputCheck {
        bool accepted = false;
        InputFocus focus = InputFocus::None;
        bool clearPasswords = false;
    };
    // dlInput3's "Rendben": a new name must be free, the two passwords equal.
    InputCheck checkInput(InputMode mode, const QString& user, const QString& password1,
                          const QString& password2) const;

    // "Új felvtel" after the input dialog was accepted: the new identifier.
    std::optional<QString> addUser(const QString& user, const QString& password);
    // "Törlés": the main user is protected; asks before deleting. True when
    // the row was deleted.
    bool deleteUser(const UserRow& selected);
    // "Módosítás", before the input dialog: only one's own password unless
    // one is the main user.
    bool mayChangePassword(const UserRow& selected) const;
    // "Módosítás" after the input dialog was accepted.
    bool changePassword(const QString& azon, const QString& password);

private:
    UserTable& m_table;
    QString m_currentUser;
};
