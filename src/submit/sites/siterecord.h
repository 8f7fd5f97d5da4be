#pragma once

// A site record: one row of the site library and of the submit list. Its
// first eight cells describe the site; from FirstFieldMap on, each cell is one
// field-map entry ("57=padurl") up to the first blank cell.
namespace SiteRecord {

enum Column : int {
    SiteName = 0,
    HomePage = 1,
    Notes = 2,
    Auto = 3,       // "no": a site the user submits by hand
    SubmitPage = 4,
    Login = 5,      // a LoginType number
    UserPass = 6,   // user name, tab, password; blank for the default login
    RegUrl = 7,     // registration page; the recipient address of an e-mail site
    FirstFieldMap = 8,
    // A login-first site's first two entries fill its login form (user name
    // and password); once logged in, the walk starts after them.
    FirstFieldMapLoggedIn = FirstFieldMap + 2,
};

// The Login cell. Any other number gets the normal fill of the submit page.
enum LoginType : int {
    LoginFirst = 1, // fill and send the login form, then fill the page it leads to
    EmailSite = 3,  // no form: the record is sent by e-mail to the RegUrl address
};

} // namespace SiteRecord
