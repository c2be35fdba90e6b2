#!/usr/bin/env bash
# The advanced page, the extra pane and the About dialog in the real program
# (jarn-drive, XTest input) against a private CUPS daemon: job entries judged
# by the mailbox file byte for byte, the extra pane by the daemon's settings.
#
#   tests/x11/with-xvfb.sh tests/gui/advanced_test.sh JARN-DRIVE JARNCTL
set -u
drive=$1 jarnctl=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/page_test_lib.sh" advanced

# Queues: name, job sheets, error policy; "sj" is also managed.
while read -r name sheets policy; do
  lpadmin -p "$name" -v socket://127.0.0.1:9100 -o job-sheets-default="$sheets" \
    -o printer-error-policy="$policy" || fail "lpadmin refused $name"
done <<TABLE
sj standard,none abort-job
mq mls,secret stop-printer
TABLE
"$jarnctl" info-add-printer "$JARNINFO" sj && "$jarnctl" info-add-user "$JARNINFO" root sj
mkdir -p "$W/sj/root" && "$jarnctl" config-write "$W" sj printerType=1 >/dev/null


# A line of the mailbox file: login, mailbox field, secured password, user
# ID, accounting password ("" for none; flags N).
field() { if [ -z "$2" ]; then printf '%11s' ''; else printf '%s%-10s' "$1" "$2"; fi; }
line() {
  printf '%-14s  ' "$1"
  if [ -z "${2:-}" ]; then printf '%9s' ''; else printf '%-10s' "$2"; fi
  field p=N "${3:-}"; field ' u=N' "${4:-}"; field ' s=N' "${5:-}"; echo
}
same() { cmp -s "$base/$1" - || fail "mailbox file $1: $(cat -A "$base/$1")"; }

# --- users: box, secured and accounting entries, select, delete, a long
# login picked by its row, a refused login; the file after each store.
table <<'T' | check "user entries"
set userFullDir w/Default
set printerName Default
set modelName M
call loadUserList                              => 0
call ManageMainForm 6                          => 0
text advOptTitleLbl                            => ****************************
call setAdvOptMode 1                           => 0
type loginNameTxt1 alice
counter advOptCounter 5
toggle advOptProofTB 1
call applyUserEntry 1                          => 0
copy w/Default/root/JarnMailBoxFile f1         => 640 lp
call setAdvOptMode 2                           => 0
type loginNameTxt bob
type passwordTxt 4711
text passwordTxt                               => ****
call applyUserEntry 1                          => 0
copy w/Default/root/JarnMailBoxFile f2         => 640 lp
# the password field: the last character deleted, an edit inside refused, a '*' refused
key passwordTxt BackSpace
text passwordTxt                               => ***
key passwordTxt Left
key passwordTxt 9
key passwordTxt End
key passwordTxt KP_Multiply
text passwordTxt                               => ***
call applyUserEntry 1                          => 0
copy w/Default/root/JarnMailBoxFile f3         => 640 lp
call setAdvOptMode 4                           => 0
type loginNameTxt carol
type userIDTxt 42
type passwordTxt 99
call applyUserEntry 1                          => 0
row uMailBoxScrlList 2
text advOptTitleLbl                            => Configuration of Secured (password) Printing
text passwordTxt                               => ***
sensitive advOptBoxPB                          => 0
wait 600
row uMailBoxScrlList 1
text loginNameTxt1                             => alice
sensitive advOptSecPB                          => 0
# a box user updated in secured mode loses the box
call setAdvOptMode 2                           => 0
type passwordTxt 12
call applyUserEntry 1                          => 0
wait 600
row uMailBoxScrlList 2
text loginNameTxt                              => bob
click advOptDelPB
get messageCode                                => 32
click okMainPB
copy w/Default/root/JarnMailBoxFile f4         => 640 lp
call ManageMainForm 6                          => 0
call setAdvOptMode 1                           => 0
type loginNameTxt1 abcdefghijklmno
counter advOptCounter 7
call applyUserEntry 1                          => 0
row uMailBoxScrlList 1
text loginNameTxt1                             => abcdefghijklmno
counter advOptCounter 8
call applyUserEntry 1                          => 0
copy w/Default/root/JarnMailBoxFile f5         => 640 lp
type loginNameTxt1 a b
counter advOptCounter 3
call applyUserEntry 1                          => 0
get messageCode                                => 34
copy w/Default/root/JarnMailBoxFile f6         => 640 lp
T
line alice m=N5P | same f1
{ line alice m=N5P; line bob '' 4711; } | same f2
{ line alice m=N5P; line bob '' 471; } | same f3
{ line alice '' 12; line carol '' '' 42 99; } | same f4
{ line abcdefghijklmno m=N8; line alice '' 12; line carol '' '' 42 99; } | same f5
same f6 <"$base/f5"

# --- box numbers as typed, each stored as the counter then shows it; a text
# out of range or a sign alone shows the box kept once the field loses the
# focus, Return is pressed or Update reads it
mkdir -p "$W/Q/root"
table <<'T' | check "box numbers"
set userFullDir w/Q
set printerName Q
call loadUserList                              => 0
call ManageMainForm 6                          => 0
call setAdvOptMode 1                           => 0
type loginNameTxt1 fred
counter advOptCounter 42
call applyUserEntry 1                          => 0
copy w/Q/root/JarnMailBoxFile b1               => 640 lp
counter advOptCounter -1
call applyUserEntry 1                          => 0
copy w/Q/root/JarnMailBoxFile b2               => 640 lp
counter advOptCounter 99
call applyUserEntry 1                          => 0
copy w/Q/root/JarnMailBoxFile b3               => 640 lp
counter advOptCounter 150
key loginNameTxt1 End
text advOptCounter.text                        => -1
counter advOptCounter -
key advOptCounter.text Return
text advOptCounter.text                        => 0
counter advOptCounter -5
call applyUserEntry 1                          => 0
text advOptCounter.text                        => -1
copy w/Q/root/JarnMailBoxFile b4               => 640 lp
T
line fred m=N42 | same b1
line fred m=N99 | same b3
for f in b2 b4; do line fred | same $f; done

# --- a dry run (-Z1): a user added is listed, the notice says the file was
# not written, and no file (nor its lock) is made
mkdir -p "$W/Dry/root"
table <<'T' | check "dry run" -Z1
set userFullDir w/Dry
set printerName Dry
call loadUserList                              => 0
call ManageMainForm 6                          => 0
call setAdvOptMode 1                           => 0
type loginNameTxt1 alice
counter advOptCounter 5
call applyUserEntry 1                          => 0
text msgText                                   => Information Message|-------------------|Trace level 1: the file|'w/Dry/root/JarnMailBoxFile'|was not written. Nothing was changed.
T
[ -z "$(ls -A "$W/Dry/root")" ] || fail "dry run wrote: $(ls -A "$W/Dry/root")"
grep -q "Dry run: not written: w/Dry/root/JarnMailBoxFile" "$base/err" || fail "dry run: the mailbox file not named"

# --- a full table: Add refused with a notice, the file unchanged
for i in $(seq 1000 2023); do line "u$i" m=N1; done >"$W/sj/root/JarnMailBoxFile"
chmod 600 "$W/sj/root/JarnMailBoxFile" && cp "$W/sj/root/JarnMailBoxFile" "$base/full"
table <<'T' | check "full table"
set modelName M
call setQueueName sj
call goThroughPanel 0                          => 0
call ManageMainForm 6                          => 0
call setAdvOptMode 1                           => 0
type loginNameTxt1 zed
counter advOptCounter 2
call applyUserEntry 1                          => 0
get messageCode                                => 11
copy w/sj/root/JarnMailBoxFile f7              => 600 root
T
same f7 <"$base/full"

# --- two windows adding 100 entries each to one mailbox file side by side,
# both having read it empty: every store reads the file under its lock and
# applies its one change, so all 200 stay
mkdir -p "$W/Two/root"
pids=
for d in a b; do
  mkfifo "$base/in-$d"
  (cd "$base" && exec "$drive" -W "$W" <"$base/in-$d" >"$base/out-$d" 2>"$base/err-$d") &
  pids="$pids $!"
done
exec 5>"$base/in-a" 6>"$base/in-b"
load='set userFullDir w/Two|set printerName Two|call loadUserList|call ManageMainForm 6|call setAdvOptMode 1|say loaded'
tr '|' '\n' <<<"$load" >&5
tr '|' '\n' <<<"$load" >&6
for _ in $(seq 400); do grep -qs loaded "$base/out-a" && grep -qs loaded "$base/out-b" && break; sleep 0.05; done
for i in $(seq 100 199); do printf 'fill loginNameTxt1 a%s\nfill advOptCounter 1\ncall applyUserEntry 1\n' "$i"; done >&5
for i in $(seq 100 199); do printf 'fill loginNameTxt1 b%s\nfill advOptCounter 2\ncall applyUserEntry 1\n' "$i"; done >&6
exec 5>&- 6>&-
for p in $pids; do wait "$p" || fail "two windows: driver: $(cat "$base"/err-? | grep jarn-drive)"; done
[ "$(sort -u "$W/Two/root/JarnMailBoxFile" | grep -c '^[ab]1[0-9][0-9] .*m=N[12]')" = 200 ] ||
  fail "two windows: $(wc -l <"$W/Two/root/JarnMailBoxFile") entries of 200"

# --- the extra pane: what the daemon holds, an unknown queue, Reset;
# Update there sends nothing and leaves connection edits counted
table <<'T' | check "extra pane"
set printerName sj
call loadCupsOptions 1                         => 0
text frontBannerPageMenu                       => Standard
text backBannerPageMenu                        => None
text errorPolicyMenu                           => Abort job
set printerName mq
call loadCupsOptions 1                         => 0
text frontBannerPageMenu                       => Standard
text backBannerPageMenu                        => Secret
text errorPolicyMenu                           => Stop the queue
set printerName nosuch
call loadCupsOptions 1                         => 0
text backBannerPageMenu                        => Secret
call resetCupsOptions                          => 0
text frontBannerPageMenu                       => None
text backBannerPageMenu                        => None
text errorPolicyMenu                           => Retry job
set modelName M
call setQueueName sj
call goThroughPanel 0                          => 0
call ManageMainForm 5                          => 0
text advOptNextLbl                             => Update
shown advOptDelPB                              => 0
pick frontBannerPageMenu top secret
pick errorPolicyMenu Stop the queue
click advOptNextPB
get pagesLoading                               => 0
call loadCupsOptions 1                         => 0
text frontBannerPageMenu                       => Standard
text errorPolicyMenu                           => Abort job
T

# --- About: texts, closed by the window manager and shown again; the
# older variant with the logo setting 0
table <<'T' | check "about"
click mainMenuAboutVelta
title infoCompDialog                           => Jarn 2.0-10 : Info
text label1                                    => Program: Jarn
text label3                                    => Version  : 2.0-10
text label4                                    => UNIX/OS:  LINUX x686
text label10                                   => For Support, please contact
close infoCompDialog
shown infoCompDialog                           => 0
click mainMenuAboutVelta
shown infoCompDialog                           => 1
call createInfoDialog                          => 0
text infoDialog*label10                        => Telephone and fax: see your contract.
T

# --- mailbox support off: one notice at start-up, none on a later load;
# a plain start shows none
table <<'T' | check "no mailbox feature" -MC0
get messageCode                                => 1
get messageText                                => Configuration Problem|---------------------|No mailbox feature|implmented. Sorry
set messageCode 0
call setQueueName sj
call goThroughPanel 0                          => 0
get messageCode                                => 0
T
table <<'T' | check "plain start"
get messageCode                                => 0
T
exit "$failures"
