#!/usr/bin/perl
# Writes a CAM-style NC program of about SIZE megabytes to standard output:
# G01 moves with X/Y/Z/F values, CR LF line ends, a program number every
# 20,000 lines and a few macro variables. With "int" the values carry no
# decimal point (counts of 0.001 mm), as decimal point insertion expects.
use strict;
use warnings;
my ($megabytes, $kind) = @ARGV;
$megabytes ||= 100;
$kind ||= "dec";
my $limit = $megabytes * 1024 * 1024;
my ($written, $line, $program) = (0, 0, 1000);
srand(20261210);
binmode STDOUT;
while ($written < $limit) {
    my $text;
    if ($line % 20000 == 0) {
        $text = sprintf("O%04d(PART %d)\r\nG90G54G00X0Y0\r\n#%d=%d.\r\n", $program, $program,
                        100 + $program % 50, $program % 7);
        $program++;
    } else {
        my ($x, $y, $z) = map { int(rand(400000)) - 200000 } 1 .. 3;
        my $f = 100 + int(rand(2000));
        $text = $kind eq "int"
            ? sprintf("N%d G01X%dY%dZ%dF%d\r\n", $line % 100000, $x, $y, $z, $f)
            : sprintf("N%d G01X%.3fY%.3fZ%.3fF%d.\r\n", $line % 100000, $x / 1000, $y / 1000,
                      $z / 1000, $f);
    }
    print $text;
    $written += length $text;
    $line++;
}
