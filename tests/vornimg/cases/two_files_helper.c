/* The second file of a program of two objects. */
int helper_table[3] = {1, 2, 21};
int tally;

int helper_twice(int x) {
    tally = 1;
    return 2 * x;
}
