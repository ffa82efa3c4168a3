/* The floor for start-up cost: a statically linked program that does nothing. */
int main(void)
{
    return 0;
}
