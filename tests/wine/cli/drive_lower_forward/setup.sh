# C:\dane and D: of the prefix lead into this working folder.
set -e
bash "$(dirname "${BASH_SOURCE[0]}")/../../map_drives.sh"
mkdir d/wyniki
