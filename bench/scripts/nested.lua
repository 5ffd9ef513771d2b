-- Nested loops, the inner limit computed from the outer variable.
local s = 0
for i = 1, 5000 do
  for j = i, i + 1000 do
    s = (s + i * j) % 1000003
  end
end
return s
