// JobSettings: the one record of a filter run. It holds every job setting
// from the command line, the printing system's environment, the PPD model
// and the mailbox file; the header writer and the rewriters read it.
// Integers use -1 for "not given" unless a field's comment says otherwise.
#pragma once

#include <string>

// Work modes chosen by -M; kModeDefault is the PCL 5 road without a
// language line.
enum WorkMode { kModeDefault = -1, kModePs = 1, kModePcl = 2, kModePxl = 3, kModePsp = 4 };

// Index of each plain PJL setting (-J<letter>) in JobSettings::plainSettings.
// Entry kPlainListA instead holds whether the model is in list A.
enum PlainSetting {
  kPlainBoxId = 0,       // -JB
  kPlainSorter = 1,      // -JC
  kPlainEconomy = 2,     // -JE
  kPlainRefine = 3,      // -JI
  kPlainJobOffset = 4,   // -JJ
  kPlainMediaType = 5,   // -JF
  kPlainJobType = 6,     // -JM
  kPlainListA = 7,       // model is in list A
  kPlainResolution = 8,  // -JR
  kPlainSecuredKey = 9,  // -JS
  kPlainTraySwitch = 10, // -JT
  kPlainStaple = 11,     // -JQ
  kPlainUserId = 12,     // -JU
  kPlainPassword = 13,   // -JP
  kPlainWideA4 = 14,     // -JW
  kPlainCount = 15
};

struct JobSettings {
  int accountIdDigits[7] = {0, 0, 0, 0, 0, 0, 0};       // -UID=p,d
  int accountPasswordDigits[7] = {0, 0, 0, 0, 0, 0, 0}; // -UPW=p,d
  int backCoverMode = -1;       // -b
  int backCoverSource = -1;     // -C
  int booklet = -1;             // -a
  int bindingLocation = -1;     // -l
  int colorLineControl = -1;    // -xC
  int colorMode = -1;           // -K
  int imageCompression = -1;    // -c
  int currentPclPageSize = -1;  // last page size the PCL rewriter wrote
  int debugLevel = 0;           // -D; traces on standard error when above 0
  int density = -80;            // -Q; -80 = not given
  int densityFineAdjust = -1;   // -xD
  int destination = 0;          // -A: 0 print, 1 mailbox, 2 mailbox+proof, 3 secure
  int duplex = -1;              // -d
  int userMailbox = -1;         // the job user's mailbox from the mailbox file
  int foldSide = -1;            // -xF
  int frontCoverMode = -1;      // -f, -xG
  int frontCoverSource = -1;    // -F
  int halftone = -1;            // -H
  int graphicsSmoothing = -1;   // -g
  int optionI = -1;             // -I, kept
  int refine = -1;              // -i
  int inputTray = -1;           // -t
  int optionJ = 0;              // -j, kept
  int optionK = 0;              // -k, kept
  int newKeywordSet = 0;        // -E
  int firstAdvance = 0;         // model in the first advance list (traced only)
  int secondAdvance = 0;        // model in the second advance list
  int lineControl = -1;         // -xL
  int edgeSmoothing = -1;       // -e
  int mailbox = -1;             // -B and the merge: the job's final mailbox
  int mailboxDigits[2] = {0, 0};// -B x=p,d
  int efiForm = -1;             // 1 when -B was given with 'N'
  int proof = 0;                // proof copy with the mailbox
  int userMailboxOverride = 0;  // 'S' flag of the user's m=
  int mediaType = -1;           // -m
  int copies = 0;               // -n, kept
  int nupHint = -1;             // -xN
  int outputBin = -1;           // -O
  int pageOrder = -1;           // -o
  int tandem = -1;              // -xB
  int printFaceAndOrder = -1;   // -xU
  int paperSize = -1;           // -p
  int personality = -1;         // -w
  int printFace = -1;           // -xA
  int optionX = -1;             // -X, kept
  int keepFlags = 0;            // -N: bit 0 keep first page size, bit 1 keep all
  int punchPosition2 = -1;      // -xE
  int punchPosition = -1;       // -G
  int punchHoles = -1;          // -xP
  int registrationMode = 3;     // -r: 0 off, 1 skip, 2 given offsets, 3 table
  int repeatCount = 0;          // -xR
  int secondRepeatCount = 0;    // -xQ
  int resolution = -1;          // -R
  int rootMailbox = -1;                 // mailbox of the "root" line
  int rootMailboxOverride = -1;         // its 'S' flag
  int rootSecurePasswordOverride = -1;  // 'S' flag of root's p=
  int rootAccountIdOverride = -1;       // 'S' flag of root's u=
  int rootAccountPasswordOverride = -1; // 'S' flag of root's s=
  int rootProof = 0;                    // proof with the root's mailbox
  int userSecurePasswordOverride = 0;   // 'S' flag of the user's p=
  int sharpness = -1;           // -xS
  int securePasswordDigits[7] = {0, 0, 0, 0, 0, 0, 0}; // -SPW=p,d
  int slipSheet = -1;           // -L
  int sorter = -1;              // -s
  int plainSettings[kPlainCount] = {-1, -1, -1, -1, -1, -1, -1, -1,
                                    -1, -1, -1, -1, -1, -1, -1};
  int staple = -1;              // -q
  int tabShift = -1;            // -xT
  int tonerReduction = -1;      // -T
  int trustPrint = -1;          // -xM
  int userAccountIdOverride = 0;       // 'S' flag of the user's u=
  int userAccountPasswordOverride = 0; // 'S' flag of the user's s=
  int optionV = 0;              // -v, kept
  int wideA4 = -1;              // -W
  int workMode = kModeDefault;  // -M
  int registrationOffsets[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  int fold = -1;                // -z
  int modelId = 0;              // from the PPD; 0 = unknown

  std::string userAccountId;       // user line's u=
  std::string userAccountPassword; // user line's s=
  std::string userSecurePassword;  // user line's p=
  std::string accountId;           // -UID= and the merge
  std::string accountPassword;     // -UPW= and the merge
  std::string rootAccountId;       // root line's u=
  std::string rootAccountPassword; // root line's s=
  std::string rootSecurePassword;  // root line's p=
  std::string securePassword;      // -SPW= and the merge
  std::string serverAdmin;         // SERVER_ADMIN
  std::string server;              // CUPS_SERVER
  std::string ppdPath;             // PPD
  std::string printer;             // PRINTER: the queue name
  std::string systemUser;          // USER (traced only)
  std::string title;               // -V, TITLE
  std::string deviceUri;           // DEVICE_URI (traced only)
  std::string userName;            // -u: the job's user
};

// What the filter's start-up keeps besides the record.
struct FilterRun {
  bool noPjl = false;         // -NOPJL: no header and no trailer
  bool customSizeFix = false; // -xZ
  int pclLevel = 5;           // -P: 5 or 6, no further effect
  std::string bannerName;     // -Y
};

// Gives every field of the record its default.
void initJobSettings(JobSettings& settings);
