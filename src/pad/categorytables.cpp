#include "pad/categorytables.h"

#include <iterator>

namespace {

// The PAD categories. Older catalogues split "Development Tools" and
// "Screen Savers" into two items each; storedCategory() reads those halves.
const char *const kCategories[] = {
    "Audio", "Business", "Development Tools", "Education", "Games", "Graphics",
    "Home/Hobby", "Internet", "Miscellaneous", "Screen Savers", "Utilities",
};
static_assert(std::size(kCategories) == CategoryTables::CategoryCount);

// One row per class item: the class key, then the site category names
// (columns 2 to 12, and 13 on positions 113 to 144). A null pointer ends a
// row that has no column 13. Between groups stands a row of empty columns.
// The site names are what download sites call the class; their positions
// carry no meaning. Nine names are written as sites' page source has them.
constexpr int MaxColumns = 13;
const char *const kClassRows[][MaxColumns] = {
    // Audio & Multimedia
    {"Audio & Multimedia::Audio Encoders/Decoders", "Encoders/Decoders", "Audio Convertors",
     "Editors & Converters", "Rippers & Encoders", "Sound Tools", "Audio & Sound Tools",
     "Encoders", "Music Management", "", "", "Encoders"},
    {"Audio & Multimedia::Audio File Players", "\"Media &gt; Players\"", "Audio Players",
     "MP3 Players", "Players & Jukeboxes", "Media Players", "Audio & Sound Tools", "Jukeboxes",
     "Music Players", "MP3 & Audio", "", "Audio Players"},
    {"Audio & Multimedia::Audio File Recorders", "Recorders", "Audio Recorders", "Sound Recorders",
     "Recording Tools", "Sound Tools", "Audio & Sound Tools", "", "Audio Capture",
     "Voice Recorders", "", "Audio Recording"},
    {"Audio & Multimedia::CD Burners", "CD Burners", "CD Burning", "CD/DVD Burners",
     "Burning Tools", "CD Writers", "CD & DVD Tools", "CD-R Tools", "Disc Burning", "", "",
     "CD Burners"},
    {"Audio & Multimedia::CD Players", "CD Players", "Audio CD Players", "CD Tools",
     "CD Player Software", "CD & DVD Tools", "Audio & Sound Tools", "", "Players", "CD-ROM Tools",
     "", "CD Players"},
    {"Audio & Multimedia::Multimedia Creation Tools", "Multimedia Creation", "Authoring Tools",
     "Multimedia Authoring", "Multimedia Tools", "Media Creation", "Misc Multimedia", "Authoring",
     "Multimedia Design", "Video Editing", "", "Multimedia Creation Tools"},
    {"Audio & Multimedia::Music Composers", "Music Composers", "Composers", "Music Creation",
     "MIDI Tools", "Music Tools", "Audio & Sound Tools", "Composition", "Music Notation",
     "Sequencers", "", "Music Composition"},
    {"Audio & Multimedia::Other", "\"Media &gt; Utilities\"", "Audio & Video",
     "Multimedia Utilities", "Utilities & Plug-Ins", "Multimedia Tools", "Misc Multimedia",
     "Media Management", "Utilities & Plugins", "Sound Tools", "Multimedia", "Audio & Mp3"},
    {"Audio & Multimedia::Presentation Tools", "Presentation Tools", "Presentations",
     "Slide Shows", "Presentation Software", "Multimedia Tools", "Misc Multimedia",
     "Slideshow Makers", "", "Business Presentations", "", "Presentation Tools"},
    {"Audio & Multimedia::Rippers & Converters", "Rippers & Converters", "Audio Converters",
     "CD Rippers", "Rippers & Encoders", "Converters", "Audio & Sound Tools", "Rippers",
     "Format Converters", "MP3 Rippers & Encoders", "", "Rippers & Converters"},
    {"Audio & Multimedia::Speech", "Speech", "Text to Speech", "Speech Recognition", "Voice Tools",
     "Speech Tools", "Misc Multimedia", "Text-to-Speech", "Voice Recognition", "", "", "Speech"},
    {"Audio & Multimedia::Video Tools", "\"Media &gt; Video\"", "Video Tools", "Video Players",
     "Video Editors", "Video Software", "Video & DVD Tools", "Video Converters", "Video Capture",
     "Video Utilities", "", "Video Tools"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Business
    {"Business::Accounting & Finance", "Accounting & Finance", "Accounting", "Finance",
     "Accounting Software", "Financial", "Accounting & Billing", "Billing", "Bookkeeping",
     "Business Finance", "", "Accounting & Finance"},
    {"Business::Calculators & Converters", "Calculators & Converters", "Calculators", "Converters",
     "Unit Converters", "Calculator Tools", "Misc. Business", "Currency Converters", "",
     "Conversion Tools", "", "Calculators"},
    {"Business::Databases & Tools", "Databases & Tools", "Databases", "Database Tools",
     "Database Management", "Database Software", "Data Management", "Database Utilities",
     "SQL Tools", "", "", "Databases"},
    {"Business::Helpdesk & Remote PC", "Helpdesk & Remote PC", "Help Desk", "Remote Control",
     "Remote Access", "Support Tools", "Customer Support", "Helpdesk Software", "",
     "Remote Administration", "", "Helpdesk"},
    {"Business::Inventory & Barcoding", "Inventory & Barcoding", "Inventory", "Barcode Tools",
     "Inventory Management", "Barcode Software", "Point of Sale", "Stock Control", "Barcoding", "",
     "", "Inventory & Barcoding"},
    {"Business::Investment Tools", "Investment Tools", "Investment", "Stock Market",
     "Stocks & Trading", "Trading Tools", "Portfolio Management", "Investing", "",
     "Financial Markets", "", "Investment Tools"},
    {"Business::Math & Scientific Tools", "Math & Scientific Tools", "Math Tools", "Scientific",
     "Mathematics", "Science Tools", "Engineering", "Math & Science", "Statistics", "", "",
     "Math & Scientific"},
    {"Business::Office Suites & Tools", "Office Suites & Tools", "Office Suites", "Office Tools",
     "Word Processors", "Spreadsheets", "Office Applications", "Office Utilities", "Productivity",
     "", "", "Office Suites & Tools"},
    {"Business::Other", "\"Business &gt; General\"", "Business", "Misc. Business",
     "Business Misc.", "Other Business Tools", "Miscellaneous", "Business Tools",
     "Business Utilities", "Business/Miscellaneous", "", "Business - Other"},
    {"Business::PIMS & Calendars", "PIMS & Calendars", "Calendars", "Organizers",
     "Personal Information Managers", "PIM", "Schedulers", "Contact Managers",
     "Calendars & Planners", "Address Books", "", "PIMs & Calendars"},
    {"Business::Project Management", "Project Management", "Project Managers", "Time Tracking",
     "Project Planning", "Team Tools", "Management Tools", "Scheduling", "Time & Billing", "", "",
     "Project Management"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Communications
    {"Communications::Chat & Instant Messaging", "Chat & Instant Messaging", "Chat",
     "Instant Messaging", "IRC Clients", "Chat Clients", "Messengers", "Chat Tools", "IM Tools",
     "", "", "Chat & IM"},
    {"Communications::Dial Up & Connection Tools", "Dial Up & Connection Tools", "Dial-Up",
     "Connection Tools", "Dialers", "Connection Managers", "Internet / Connect", "Modem Tools",
     "Connectivity", "", "", "Dial-Up & Connection"},
    {"Communications::E-Mail Clients", "E-Mail Clients", "Email Clients", "E-mail", "Mail Clients",
     "Email", "E-Mail Programs", "POP3 Clients", "Mail Readers", "Email Software", "",
     "E-Mail Clients"},
    {"Communications::E-Mail List Management", "E-Mail List Management", "Mailing List Tools",
     "List Management", "Mass Mailers", "Email Marketing", "Mailing Lists", "Bulk Email",
     "Newsletter Tools", "", "", "E-Mail List Management"},
    {"Communications::Fax Tools", "Fax Tools", "Fax", "Fax Software", "Faxing", "Fax Utilities",
     "Communication Tools", "Fax Servers", "Internet Fax", "", "", "Fax Tools"},
    {"Communications::Newsgroup Clients", "Newsgroup Clients", "Newsreaders", "Usenet",
     "News Readers", "Newsgroups", "Usenet Tools", "Binary Newsreaders", "News Clients", "", "",
     "Newsgroup Clients"},
    {"Communications::Other Comms Tools", "\"Internet &gt; Communications\"", "Communications",
     "Misc. Communications", "Other Communications", "Communication Tools", "Miscellaneous",
     "Comms Tools", "Networking Tools", "Communications/Miscellaneous", "", "Other Comms Tools"},
    {"Communications::Other E-Mail Tools", "Other E-Mail Tools", "E-mail Utilities", "Email Tools",
     "Mail Tools", "E-Mail Add-Ons", "Misc. Internet", "Email Notifiers", "Email Utilities",
     "Mail Filters", "", "Other E-Mail Tools"},
    {"Communications::Pager Tools", "Pager Tools", "Paging", "Pagers", "SMS Tools",
     "Messaging Tools", "Communication Tools", "SMS & Paging", "", "Pager Software", "",
     "Pager Tools"},
    {"Communications::Telephony", "Telephony", "VoIP", "Internet Phone", "Phone Tools",
     "Telephony Tools", "Caller ID", "Voice Over IP", "Phone Dialers", "", "", "Telephony"},
    {"Communications::Web/Video Cams", "Web/Video Cams", "Webcams", "Web Cams", "Webcam Software",
     "Video Cams", "Webcam Tools", "Video Conferencing", "", "", "", "Webcams"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Desktop
    {"Desktop::Clocks & Alarms", "Clocks & Alarms", "Clocks", "Alarms", "Desktop Clocks",
     "Alarm Clocks", "Reminders", "Time Tools", "Clocks & Timers", "", "", "Clocks & Alarms"},
    {"Desktop::Cursors & Fonts", "Cursors & Fonts", "Cursors", "Fonts", "Font Managers",
     "Mouse Cursors", "Font Tools", "Cursor Editors", "Fonts & Cursors", "", "", "Cursors & Fonts"},
    {"Desktop::Icons", "Icons", "Icon Collections", "Icon Sets", "Desktop Icons", "Icon Libraries",
     "Icon Tools", "Icon Packs", "", "", "", "Icons"},
    {"Desktop::Other", "Desktop", "Desktop Enhancements", "Desktop Utilities", "Desktop Tools",
     "Desktop Customization", "Miscellaneous", "Other Desktop", "Desktop Misc.",
     "Desktop/Miscellaneous", "", "Desktop - Other"},
    {"Desktop::Screen Savers: Other ", "ScreenSavers", "Screensavers", "Screen Savers", "", "", "",
     "", "", "", "", "Screensavers"},
    {"Desktop::Themes & Wallpaper", "Themes & Wallpaper", "Themes", "Wallpaper", "Desktop Themes",
     "Wallpapers", "Skins", "Wallpaper Changers", "Themes & Skins", "Backgrounds", "",
     "Themes & Wallpaper"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Development
    {"Development::Active X", "Active X", "ActiveX", "ActiveX Controls", "OCX Controls",
     "ActiveX Components", "COM Components", "ActiveX/COM", "Controls", "", "", "ActiveX"},
    {"Development::Basic, VB, VB DotNet", "Basic, VB, VB DotNet", "Visual Basic", "VB Tools",
     "Basic", "VB.NET", "VB Components", "Visual Basic Tools", "Basic Compilers", "", "",
     "Visual Basic"},
    {"Development::C / C++ / C#", "C / C++ / C#", "C++", "C/C++", "C#", "C++ Tools",
     "C/C++ Compilers", "C++ Libraries", "C Tools", "", "", "C/C++/C#"},
    {"Development::Compilers & Interpreters", "Compilers & Interpreters", "Compilers",
     "Interpreters", "Programming Languages", "Compiler Tools", "Scripting", "Compilers & Tools",
     "Language Tools", "Assemblers", "", "Compilers & Interpreters"},
    {"Development::Components & Libraries", "Components & Libraries", "Components", "Libraries",
     "Code Libraries", "DLLs", "Developer Components", "Class Libraries", "SDKs", "", "",
     "Components & Libraries"},
    {"Development::Debugging", "Debugging", "Debuggers", "Debugging Tools", "Profilers",
     "Testing Tools", "Code Analysis", "Debug Tools", "Testing & QA", "", "", "Debugging"},
    {"Development::Delphi", "Delphi", "Delphi Components", "Delphi Tools", "Delphi/Kylix",
     "Pascal", "VCL Components", "Delphi Libraries", "", "", "", "Delphi"},
    {"Development::Help Tools", "Help Tools", "Help Authoring", "Help File Tools", "Documentation",
     "Help Systems", "Manual Writers", "Help Compilers", "Documentation Tools", "", "",
     "Help Tools"},
    {"Development::Install & Setup", "Install & Setup", "Installers", "Setup Tools",
     "Installation", "Setup Builders", "Install Makers", "Installers & Setup", "Deployment", "",
     "", "Install & Setup"},
    {"Development::Management & Distribution", "Management & Distribution", "Version Control",
     "Source Control", "Distribution Tools", "Software Protection", "Licensing Tools",
     "Configuration Management", "Copy Protection", "Build Tools", "", "Management & Distribution"},
    {"Development::Other", "\"Programming &gt; General\"", "Other Programming Files",
     "Software Developer", "Development Misc.", "Tools & Editors", "Misc. Dev. Tools",
     "Editors & Tools", "Development/Miscellaneous", "Programming - General", "",
     "Software Development"},
    {"Development::Source Editors", "Source Editors", "Code Editors", "Editors", "Text Editors",
     "Programming Editors", "IDEs", "Source Code Editors", "Editors & IDEs", "", "",
     "Source Editors"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Education
    {"Education::Computer", "Computer", "Computer Training", "Tutorials", "Computer Education",
     "Typing Tutors", "Computer Skills", "IT Training", "", "", "", "Computer"},
    {"Education::Dictionaries", "Dictionaries", "Dictionary", "Translators", "Thesaurus",
     "Dictionaries & Translators", "Reference", "Translation", "Word Tools", "", "",
     "Dictionaries"},
    {"Education::Geography", "Geography", "Maps", "Atlases", "World Maps", "Geography Tools",
     "History & Geography", "Mapping", "", "", "", "Geography"},
    {"Education::Kids", "Kids", "Children", "Kids Education", "Early Learning", "Kids Software",
     "Edutainment", "Preschool", "Kids Learning", "", "", "Kids"},
    {"Education::Languages", "Languages", "Language Learning", "Foreign Languages",
     "Language Tutors", "Vocabulary", "Language Tools", "Language Courses", "Spelling", "", "",
     "Languages"},
    {"Education::Mathematics", "Mathematics", "Math", "Math Education", "Algebra", "Math Tutors",
     "Geometry", "Math Tools", "Arithmetic", "", "", "Mathematics"},
    {"Education::Other", "\"Education &gt; General\"", "Education", "Educational",
     "Misc. Education", "Other Education", "Miscellaneous", "Education Misc.", "Learning Tools",
     "Education/Miscellaneous", "", "Education - Other"},
    {"Education::Reference Tools", "Reference Tools", "Reference", "Encyclopedias",
     "Reference Software", "Almanacs", "Reference & Dictionaries", "Quotations", "", "", "",
     "Reference Tools"},
    {"Education::Science", "Science", "Chemistry", "Physics", "Biology", "Science Tools",
     "Science Education", "Periodic Tables", "Earth Sciences", "", "", "Science"},
    {"Education::Teaching & Training Tools", "Teaching & Training Tools", "Teaching Tools",
     "Training", "Test Makers", "Quiz Makers", "E-Learning", "Teacher Tools", "Exam Tools", "", "",
     "Teaching & Training Tools"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Games & Entertainment
    {"Games & Entertainment::Action", "Arcade", "", "", "", "", "Miscellaneous", "", "", "", "",
     "Action"},
    {"Games & Entertainment::Adventure & Roleplay", "Adventure & Roleplay", "Adventure",
     "Role Playing", "RPG", "Adventure Games", "Roleplaying", "Adventure & RPG", "", "", "",
     "Adventure & Roleplay"},
    {"Games & Entertainment::Arcade", "Arcade", "Arcade Games", "Classic Arcade", "Shooters",
     "Action & Arcade", "Retro Games", "Arcade & Action", "Platform Games", "", "", "Arcade"},
    {"Games & Entertainment::Board", "Board", "Board Games", "Chess", "Classic Board",
     "Board & Card", "Checkers", "Mahjong", "Dice Games", "", "", "Board"},
    {"Games & Entertainment::Card", "Card", "Card Games", "Solitaire", "Poker", "Card & Board",
     "Cards", "Solitaire Games", "Bridge", "", "", "Card"},
    {"Games & Entertainment::Casino & Gambling", "Casino & Gambling", "Casino", "Gambling",
     "Casino Games", "Slots", "Poker", "Lottery", "Casino & Poker", "Blackjack", "",
     "Casino & Gambling"},
    {"Games & Entertainment::Kids", "Kids", "Kids Games", "Children's Games", "Family",
     "Games for Kids", "Educational Games", "Kids & Family", "Family Games", "", "", "Kids"},
    {"Games & Entertainment::Online Gaming", "Online Gaming", "Online Games", "Multiplayer",
     "Game Servers", "Online Game Tools", "Gaming Tools", "Network Games", "Internet Games", "",
     "", "Online Gaming"},
    {"Games & Entertainment::Other", "\"Games &gt; General\"", "Games", "Misc. Games",
     "Other Games", "Entertainment", "Miscellaneous", "Games Misc.", "Fun", "Games/Miscellaneous",
     "", "Games - Other"},
    {"Games & Entertainment::Puzzle & Word Games", "Puzzle & Word Games", "Puzzle", "Word Games",
     "Puzzles", "Logic Games", "Brain Teasers", "Crosswords", "Puzzle & Logic", "", "",
     "Puzzle & Word Games"},
    {"Games & Entertainment::Simulation", "Simulation", "Simulations", "Flight Simulators",
     "Simulation Games", "Sim Games", "Racing", "Driving", "Simulators", "", "", "Simulation"},
    {"Games & Entertainment::Sports", "Sports", "Sports Games", "Golf", "Football",
     "Sports & Racing", "Soccer", "Billiards", "Sport", "", "", "Sports"},
    {"Games & Entertainment::Strategy & War Games", "Strategy & War Games", "Strategy",
     "War Games", "Strategy Games", "Wargames", "Tactical", "Real-Time Strategy",
     "Turn-Based Strategy", "", "", "Strategy & War Games"},
    {"Games & Entertainment::Tools & Editors", "Game Tools & Editors", "Game Tools",
     "Game Editors", "Cheats & Trainers", "Game Utilities", "Level Editors", "Game Makers",
     "Patches & Mods", "Trainers", "", "Game Tools"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Graphic Apps
    {"Graphic Apps::Animation Tools", "Animation Tools", "Animation", "GIF Animators",
     "3D Animation", "Animated GIFs", "Flash Animation", "Animation Software", "Cartoon Makers",
     "", "", "Animation Tools"},
    {"Graphic Apps::CAD", "CAD", "CAD/CAM", "CAD Software", "Drafting", "Design", "3D Modeling",
     "Engineering Design", "Technical Drawing", "", "", "CAD"},
    {"Graphic Apps::Converters & Optimizers", "Converters & Optimizers", "Image Converters",
     "Graphics Converters", "Image Optimizers", "Converters", "Image Tools", "Format Converters",
     "Batch Converters", "Image Compression", "", "Converters & Optimizers"},
    {"Graphic Apps::Editors", "Editors", "Image Editors", "Graphics Editors", "Paint Programs",
     "Photo Editors", "Drawing", "Image Editing", "Paint & Draw", "Photo Editing", "",
     "Image Editors"},
    {"Graphic Apps::Font Tools", "Font Tools", "Fonts", "Font Editors", "Font Managers",
     "Typography", "Font Utilities", "Font Viewers", "", "", "", "Font Tools"},
    {"Graphic Apps::Gallery & Cataloging Tools", "Gallery & Cataloging Tools", "Image Catalogers",
     "Photo Albums", "Galleries", "Photo Management", "Image Organizers", "Album Makers",
     "Web Galleries", "", "", "Gallery & Cataloging"},
    {"Graphic Apps::Icon Tools", "Icon Tools", "Icon Editors", "Icon Extractors", "Icon Makers",
     "Icons", "Icon Utilities", "Icon Creators", "Icon Converters", "", "", "Icon Tools"},
    {"Graphic Apps::Other", "Graphics", "Graphic Apps", "Misc. Graphics", "Other Graphics",
     "Graphics Tools", "Miscellaneous", "Imaging", "Graphics Misc.", "Graphics/Miscellaneous", "",
     "Graphics - Other"},
    {"Graphic Apps::Screen Capture", "Screen Capture", "Screen Capture Tools", "Screenshot Tools",
     "Screen Grabbers", "Screen Recorders", "Capture Tools", "Screenshots", "", "", "",
     "Screen Capture"},
    {"Graphic Apps::Viewers", "Viewers", "Image Viewers", "Graphics Viewers", "Photo Viewers",
     "Picture Viewers", "Image Browsers", "Slideshow Viewers", "Viewers & Browsers",
     "Thumbnail Viewers", "", "Image Viewers"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Home & Hobby
    {"Home & Hobby::Astrology/Biorhythms/Mystic", "Astrology/Biorhythms/Mystic", "Astrology",
     "Biorhythms", "Mystic", "Horoscopes", "Numerology", "Tarot", "Fortune Telling", "", "",
     "Astrology"},
    {"Home & Hobby::Astronomy", "Astronomy", "Planetarium", "Star Charts", "Astronomy Tools",
     "Space", "Telescope Control", "Sky Maps", "", "", "", "Astronomy"},
    {"Home & Hobby::Cataloging", "Cataloging", "Collectors", "Collection Managers",
     "Home Inventory", "Catalogers", "Book Catalogs", "Movie Catalogs", "Music Catalogs", "", "",
     "Cataloging"},
    {"Home & Hobby::Food & Drink", "Food & Drink", "Recipes", "Cooking", "Recipe Managers", "Food",
     "Kitchen", "Wine", "Cookbooks", "", "", "Food & Drink"},
    {"Home & Hobby::Genealogy", "Genealogy", "Family Tree", "Family History", "Genealogy Tools",
     "Ancestry", "Family Trees", "Genealogy Software", "", "", "", "Genealogy"},
    {"Home & Hobby::Health & Nutrition", "Health & Nutrition", "Health", "Fitness", "Nutrition",
     "Diet", "Health & Fitness", "Medical", "Diet & Fitness", "", "", "Health & Nutrition"},
    {"Home & Hobby::Other", "Home & Hobby", "Hobby", "Home", "Misc. Home", "Other Home & Hobby",
     "Miscellaneous", "Home & Family", "Leisure", "Home/Miscellaneous", "", "Home & Hobby - Other"},
    {"Home & Hobby::Personal Finance", "Personal Finance", "Home Finance", "Budgeting",
     "Money Management", "Finance", "Checkbook", "Loan Calculators", "Tax Tools", "", "",
     "Personal Finance"},
    {"Home & Hobby::Personal Interest", "Personal Interest", "Hobbies", "Lifestyle", "Personal",
     "Hobby Tools", "Interests", "Collecting", "Crafts", "", "", "Personal Interest"},
    {"Home & Hobby::Recreation", "Recreation", "Travel", "Outdoors", "Fishing",
     "Recreation & Leisure", "Hunting", "Sports & Recreation", "Trip Planners", "", "",
     "Recreation"},
    {"Home & Hobby::Religion", "Religion", "Bible", "Religious", "Bible Study", "Spirituality",
     "Religion & Spirituality", "Christian", "Bible Software", "", "", "Religion"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Network & Internet
    {"Network & Internet::Ad Blockers", "Ad Blockers", "Pop-up Blockers", "Ad Blocking",
     "Popup Killers", "Ad Filters", "Privacy Tools", "Banner Blockers", "", "", "", "Ad Blockers"},
    {"Network & Internet::Browser Tools", "Browser Tools", "Browser Add-ons", "Browser Plug-ins",
     "Toolbars", "Browser Utilities", "Bookmark Managers", "Browser Enhancements", "Plug-ins", "",
     "", "Browser Tools"},
    {"Network & Internet::Browsers", "Browsers", "Web Browsers", "Internet Browsers", "Browser",
     "Alternative Browsers", "Offline Browsers", "Web Browsing", "", "", "", "Browsers"},
    {"Network & Internet::Download Managers", "Download Managers", "Download Tools",
     "Download Accelerators", "Downloaders", "Download Utilities", "File Download",
     "Site Grabbers", "", "", "", "Download Managers"},
    {"Network & Internet::File Sharing/Peer to Peer", "File Sharing/Peer to Peer", "File Sharing",
     "P2P", "Peer to Peer", "P2P Clients", "BitTorrent", "File Sharing Clients",
     "P2P File Sharing", "", "", "File Sharing"},
    {"Network & Internet::FTP Clients", "FTP Clients", "FTP", "FTP Software", "FTP Tools",
     "File Transfer", "SFTP Clients", "FTP Programs", "FTP Utilities", "", "", "FTP Clients"},
    {"Network & Internet::Network Monitoring", "Network Monitoring", "Network Monitors",
     "Network Tools", "Bandwidth Monitors", "Network Utilities", "Traffic Monitors",
     "Network Analyzers", "Packet Sniffers", "", "", "Network Monitoring", ""},
    {"Network & Internet::Other", "Internet", "Internet Tools", "Misc. Internet", "Other Internet",
     "Internet Utilities", "Miscellaneous", "Networking", "Internet Misc.",
     "Internet/Miscellaneous", "", "Internet - Other", ""},
    {"Network & Internet::Remote Computing", "Remote Computing", "Remote Control", "Remote Access",
     "Remote Desktop", "Remote Administration", "VNC", "Remote Tools", "Remote Management", "", "",
     "Remote Computing", ""},
    {"Network & Internet::Search/Lookup Tools", "Search/Lookup Tools", "Search Tools",
     "Search Engines", "Lookup Tools", "Web Search", "Meta Search", "Search Utilities",
     "Whois Tools", "", "", "Search Tools", ""},
    {"Network & Internet::Terminal & Telnet Clients", "Terminal & Telnet Clients", "Telnet",
     "Terminal Emulators", "SSH Clients", "Telnet Clients", "Terminals", "Terminal Software",
     "Telnet & SSH", "", "", "Terminal & Telnet", ""},
    {"Network & Internet::Timers & Time Synch", "Timers & Time Synch", "Time Synchronization",
     "Atomic Clocks", "Timers", "Time Sync", "Internet Time", "Time Servers", "Clock Sync", "", "",
     "Timers & Time Sync", ""},
    {"Network & Internet::Trace & Ping Tools", " Ping/Whois Tools", "Misc. Networking Tools",
     "Internet Operations", "Internet / Connect", "Management Tools", "Misc. Network",
     "Ping & Trace Tools", "Tools & Utilities", "Internet/Utilities", "", "Webmaster Tools", ""},
    {"", "", "", "", "", "", "", "", "", "", "", "", ""},
    // Security & Privacy
    {"Security & Privacy::Access Control", "Access Control", "Access Restriction",
     "Desktop Security", "Lock Tools", "Access Control Tools", "Parental Control", "PC Lock",
     "Security", "", "", "Access Control", ""},
    {"Security & Privacy::Anti-Spam & Anti-Spy Tools", "Anti-Spam", "Anti-Spam Tools",
     "Spam Filters", "Spy Software", "Anti-Spyware Tools", "Misc. Internet", "Security", "", "",
     "", "Anti-Spam", "Anti-Spyware Tools"},
    {"Security & Privacy::Anti-Virus Tools", "Anti-Virus Tools", "Anti-Virus", "Antivirus",
     "Virus Scanners", "Virus Protection", "Virus Removal", "Antivirus Software",
     "Malware Removal", "", "", "Anti-Virus", ""},
    {"Security & Privacy::Covert Surveillance", "Covert Surveillance", "Monitoring",
     "Surveillance", "Keyloggers", "Spy Tools", "Employee Monitoring", "Computer Monitoring",
     "Activity Monitors", "", "", "Covert Surveillance", ""},
    {"Security & Privacy::Encryption Tools", "Encryption Tools", "Encryption", "Cryptography",
     "File Encryption", "Encryption Software", "Data Encryption", "Crypto Tools", "File Shredders",
     "", "", "Encryption", ""},
    {"Security & Privacy::Other", "Security", "Privacy", "Misc. Security", "Other Security",
     "Security Tools", "Miscellaneous", "Security & Privacy", "Privacy Tools",
     "Security/Miscellaneous", "", "Security - Other", ""},
    {"Security & Privacy::Password Managers", "Password Managers", "Passwords", "Password Tools",
     "Password Recovery", "Password Generators", "Password Utilities", "Password Keepers", "", "",
     "", "Password Managers", ""},
    {"", "", "", "", "", "", "", "", "", "", "", "", ""},
    // Servers
    {"Servers::Firewall & Proxy Servers", "Firewall & Proxy Servers", "Firewalls", "Proxy Servers",
     "Firewall", "Proxy", "Personal Firewalls", "Firewall Software", "Network Security", "", "",
     "Firewall & Proxy", ""},
    {"Servers::FTP Servers", "FTP Servers", "FTP Server", "FTP Server Software", "File Servers",
     "Servers", "FTP Daemons", "Server Tools", "", "", "", "FTP Servers", ""},
    {"Servers::Mail Servers", "Mail Servers", "E-mail Servers", "Mail Server", "SMTP Servers",
     "POP3 Servers", "Email Servers", "Mail Server Software", "", "", "", "Mail Servers", ""},
    {"Servers::News Servers", "News Servers", "NNTP Servers", "Newsgroup Servers",
     "Usenet Servers", "News Server", "Discussion Servers", "Forum Servers", "", "", "",
     "News Servers", ""},
    {"Servers::Other Server Applications", "Servers", "Other Servers", "Server Applications",
     "Misc. Servers", "Server Tools", "Miscellaneous", "Server Software", "Server Utilities",
     "Servers/Miscellaneous", "", "Other Server Applications", ""},
    {"Servers::Telnet Servers", "Telnet Servers", "Telnet Server", "SSH Servers",
     "Terminal Servers", "Remote Shell", "Telnet Daemons", "Server Tools", "", "", "",
     "Telnet Servers", ""},
    {"Servers::Web Servers", "Web Servers", "HTTP Servers", "Web Server", "Web Server Software",
     "Personal Web Servers", "Web Hosting", "Server Tools", "", "", "", "Web Servers", ""},
    {"", "", "", "", "", "", "", "", "", "", "", "", ""},
    // System Utilities
    {"System Utilities::Automation Tools", "Automation Tools", "Automation", "Macro Tools",
     "Macros", "Task Schedulers", "Scheduling Tools", "Keyboard Macros", "Batch Tools", "", "",
     "Automation Tools", ""},
    {"System Utilities::Backup & Restore", "Backup & Restore", "Backup", "Backup Tools",
     "Data Recovery", "Backup Software", "Sync Tools", "File Backup", "Disk Imaging", "", "",
     "Backup & Restore", ""},
    {"System Utilities::Benchmarking", "Benchmarking", "Benchmarks", "System Information",
     "Benchmark Tools", "Diagnostics", "Performance", "System Info", "Hardware Tools", "", "",
     "Benchmarking", ""},
    {"System Utilities::Clipboard Tools", "Clipboard Tools", "Clipboard", "Clipboard Managers",
     "Clipboard Utilities", "Clipboard Extenders", "Text Tools", "Clipboard Software", "", "", "",
     "Clipboard Tools", ""},
    {"System Utilities::File & Disk Management", "File & Disk Management", "File Management",
     "Disk Utilities", "File Managers", "Disk Tools", "File Utilities", "Disk Cleaners",
     "File Tools", "", "", "File & Disk Management", "Disk Management"},
    {"System Utilities::File Compression", "File Compression", "Compression", "Archivers",
     "Zip Tools", "Compression Tools", "Archive Managers", "Zip Utilities", "File Archivers", "",
     "", "File Compression", ""},
    {"System Utilities::Launchers & Task Managers", "Launchers & Task Managers", "Launchers",
     "Task Managers", "Program Launchers", "Startup Managers", "Process Managers",
     "Application Launchers", "Taskbar Tools", "", "", "Launchers & Task Managers", ""},
    {"System Utilities::Other", "\"Utilities &gt; General\"", "Utilities", "System Utilities",
     "Misc. Utilities", "Other Utilities", "Miscellaneous", "System Tools", "Utilities Misc.",
     "Utilities/Miscellaneous", "", "System Utilities - Other", ""},
    {"System Utilities::Printer", "Printer", "Printer Tools", "Printing", "Print Utilities",
     "Printer Drivers", "Label Printing", "Print Managers", "PDF Printers", "", "", "Printer"},
    {"System Utilities::Registry Tools", "Registry Tools", "Registry", "Registry Cleaners",
     "Registry Editors", "Registry Utilities", "System Cleaners", "Registry Repair",
     "Registry Backup", "", "", "Registry Tools"},
    {"System Utilities::Shell Tools", "Shell Tools", "Shell Extensions", "Shell Replacements",
     "Explorer Add-ons", "Context Menu Tools", "Windows Shell", "Command Line Tools", "", "", "",
     "Shell Tools"},
    {"System Utilities::System Maintenance", "System Maintenance", "Maintenance", "System Tools",
     "Optimization", "Tweaking", "Uninstallers", "System Optimizers", "PC Maintenance",
     "Cleanup Tools", "", "System Maintenance"},
    {"System Utilities::Text/Document Editors", "Text/Document Editors", "Text Editors",
     "Document Editors", "Text Tools", "Word Processors", "Notepad Replacements", "Editors",
     "PDF Tools", "", "", "Text Editors"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
    // Web Development
    {"Web Development::ASP & PHP", "ASP & PHP", "PHP", "ASP", "PHP Scripts", "ASP Scripts",
     "Server-Side Scripts", "PHP Tools", "ASP.NET", "", "", "ASP & PHP"},
    {"Web Development::E-Commerce", "E-Commerce", "Ecommerce", "Shopping Carts", "Online Stores",
     "E-Commerce Tools", "Payment Processing", "Store Builders", "Merchant Tools", "", "",
     "E-Commerce"},
    {"Web Development::Flash Tools", "Flash Tools", "Flash", "Flash Utilities", "Flash Editors",
     "SWF Tools", "Flash Animation", "Flash Decompilers", "", "", "", "Flash Tools"},
    {"Web Development::HTML Tools", "HTML Tools", "HTML Editors", "HTML", "Web Page Editors",
     "HTML Utilities", "WYSIWYG Editors", "HTML Validators", "Web Editors", "", "", "HTML Tools"},
    {"Web Development::Java & JavaScript", "Java & JavaScript", "Java", "JavaScript", "Java Tools",
     "JavaScript Tools", "Applets", "Java Applets", "Scripts", "", "", "Java & JavaScript"},
    {"Web Development::Log Analysers", "Log Analysers", "Log Analyzers", "Web Statistics",
     "Log File Analysis", "Web Analytics", "Site Statistics", "Traffic Analysis", "Web Stats", "",
     "", "Log Analyzers"},
    {"Web Development::Other", "Web Authoring", "Web Design related", "Web Developer",
     "Developer -- Other", "", "Webmaster Tools", "Site Management", "Development tools",
     "Misc. Dev. Tools", "", "Programming & Software"},
    {"Web Development::Site Administration", "Site Administration", "Site Management",
     "Webmaster Tools", "Site Maintenance", "Link Checkers", "Website Management",
     "Site Promotion", "Search Engine Optimization", "", "", "Site Administration"},
    {"Web Development::Wizards & Components", "Wizards & Components", "Web Components",
     "Web Wizards", "Website Builders", "Web Templates", "Web Page Wizards", "Templates",
     "Web Widgets", "", "", "Wizards & Components"},
    {"Web Development::XML/CSS Tools", "XML/CSS Tools", "XML Tools", "CSS Editors", "XML Editors",
     "CSS Tools", "Style Sheets", "XSLT Tools", "", "", "", "XML/CSS Tools"},
};
static_assert(std::size(kClassRows) == CategoryTables::ClassRowCount);

QStringList buildClassItems()
{
    QStringList items;
    items.reserve(CategoryTables::ClassRowCount);
    for (const auto &row : kClassRows) {
        QStringList columns;
        for (const char *cell : row) {
            if (!cell)
                break;
            columns.append(QString::fromLatin1(cell));
        }
        items.append(columns.join(QLatin1Char('\t')));
    }
    return items;
}

} // namespace

namespace CategoryTables {

const QStringList &categoryItems()
{
    static const QStringList items = [] {
        QStringList list;
        for (const char *name : kCategories)
            list.append(QString::fromLatin1(name));
        return list;
    }();
    return items;
}

const QStringList &classItems()
{
    static const QStringList items = buildClassItems();
    return items;
}

int findClassItem(const QStringList &items, const QString &key)
{
    if (key.isEmpty())
        return -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).contains(key, Qt::CaseSensitive))
            return int(i);
    }
    return -1;
}

QString storedCategory(const QString &stored)
{
    for (const char *half : {"Development", "Tools"})
        if (stored.compare(QLatin1String(half), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Development Tools");
    for (const char *half : {"Screen", "Savers"})
        if (stored.compare(QLatin1String(half), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Screen Savers");
    return stored;
}

int findCategoryItem(const QString &value)
{
    const QStringList &items = categoryItems();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void appendStartupTab(QStringList &items)
{
    for (QString &item : items)
        item.append(QLatin1Char('\t'));
}

QStringList withStartupTab(const QStringList &items)
{
    QStringList copy = items;
    appendStartupTab(copy);
    return copy;
}

QString classKey(const QString &item)
{
    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    return tab < 0 ? item : item.left(tab);
}

bool isSeparator(const QString &item)
{
    return !item.isEmpty() && item.count(QLatin1Char('\t')) == item.size();
}

} // namespace CategoryTables
