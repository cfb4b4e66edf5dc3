# Builds the list 1..10^6 and folds it with a sum from the left, as a
# Python programmer writes it: a list grown by append, a for loop for the
# fold. Prints 500000500000.
xs = []
n = 1
while n <= 1000000:
    xs.append(n)
    n += 1
total = 0
for x in xs:
    total += x
print(total)
